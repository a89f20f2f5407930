// The functions the page calls. The page holds one window handle and passes
// it back on every call; nothing here is global.
#include <emscripten/emscripten.h>

#include "bmp_bytes.h"
#include "catalogue.h"
#include "web_window.h"

namespace {

Axis AxisOf(int axis) { return axis == 0 ? Axis::X : axis == 1 ? Axis::Y : Axis::Z; }

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE WebWindow* OrbizaOpen() {
    auto* window = new WebWindow;
    StartUp(*window);
    return window;
}

// The list texts in list order, for filling the page's list.
EMSCRIPTEN_KEEPALIVE int OrbizaListCount() { return CatalogueSize; }

// The texts are literals, so each view ends in a null.
EMSCRIPTEN_KEEPALIVE const char* OrbizaListText(int row) { return Catalogue()[std::size_t(row)].listText.data(); }

EMSCRIPTEN_KEEPALIVE int OrbizaSelect(WebWindow* w, int listIndex) { return SelectStructure(*w, listIndex); }

// axis 0, 1, 2 for X, Y, Z; direction +1 for "+", -1 for "---".
EMSCRIPTEN_KEEPALIVE int OrbizaAngleButton(WebWindow* w, int axis, int direction) {
    return AngleButton(*w, AxisOf(axis), direction);
}

EMSCRIPTEN_KEEPALIVE int OrbizaTick(WebWindow* w, int sx, int sy, int sz, int st) {
    return TimerTick(*w, {sx, sy, sz, st});
}

EMSCRIPTEN_KEEPALIVE int OrbizaShowAxis(WebWindow* w, int ticked) { return ShowAxisClicked(*w, ticked != 0); }

EMSCRIPTEN_KEEPALIVE const char* OrbizaError(WebWindow* w) { return w->error.c_str(); }

EMSCRIPTEN_KEEPALIVE const std::uint8_t* OrbizaPixels(WebWindow* w) { return PagePixels(*w); }

// The picture as a BMP file; its size comes from OrbizaBmpSize.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* OrbizaBmp(WebWindow* w) {
    WriteBmp(w->surface, w->bmp);
    return w->bmp.data();
}

EMSCRIPTEN_KEEPALIVE int OrbizaBmpSize(WebWindow* w) { return int(w->bmp.size()); }

// The view as the page's tests read it: AngleX, AngleY, AngleZ, AnimTime.
EMSCRIPTEN_KEEPALIVE float OrbizaView(WebWindow* w, int which) {
    const ViewState& v = w->scene.view;
    return which == 0 ? v.AngleX : which == 1 ? v.AngleY : which == 2 ? v.AngleZ : v.AnimTime;
}

}  // extern "C"
