// The functions the views call. Each view holds its own window handle and
// passes it back on every call; nothing here is global.
#include <emscripten/emscripten.h>

#include <optional>
#include <string>
#include <vector>

#include "bmp_file.h"
#include "view_parts.h"
#include "window_json.h"
#include "window_model.h"

// The page's window: the model, and the buffers the page reads back. They
// grow only with the ratio, so a redraw and its copy to the page allocate nothing.
struct PageWindow {
    WindowModel model;
    std::vector<std::uint8_t> rgba = std::vector<std::uint8_t>(PictureWidth * PictureHeight * 4);
    std::string bmp;
    std::string text;     // the last text asked for
    std::string refusal;  // why the last address given was refused
};

namespace {

const char* Answer(PageWindow& w, std::string text) {
    w.text = std::move(text);
    return w.text.c_str();
}

// What an event or a restore leaves for the page, as OrbizaEvent's bits.
int OutcomeBits(const Outcome& outcome) {
    return (outcome.pictureChanged ? 1 : 0) | (outcome.failed ? 2 : 0) |
           (outcome.request == FaceRequest::ShowAbout ? 4 : 0) | (outcome.request == FaceRequest::SavePicture ? 8 : 0);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE PageWindow* OrbizaOpen() {
    auto* window = new PageWindow;
    StartUp(window->model, StartUpSimdLevel());
    return window;
}

EMSCRIPTEN_KEEPALIVE void OrbizaClose(PageWindow* w) { delete w; }

// Controls, list texts and texts, as JSON.
EMSCRIPTEN_KEEPALIVE const char* OrbizaWindowJson(PageWindow* w) { return Answer(*w, WindowJson()); }

// An event of the control named `control` (or of the timer); see
// HandleEvent. The answer's bits: 1 the picture changed, 2 a run-time error
// ended it (OrbizaError), 4 show the About box, 8 save the picture.
EMSCRIPTEN_KEEPALIVE int OrbizaEvent(PageWindow* w, const char* control, int value) {
    return OutcomeBits(HandleEvent(w->model, control, value));
}

// The window's state as the text the page keeps in its address after '#'.
EMSCRIPTEN_KEEPALIVE const char* OrbizaAddress(PageWindow* w) { return Answer(*w, ViewAddressText(Capture(w->model))); }

// Puts back the state an address's text holds (after '#', or a whole
// address) and draws its picture afresh. The answer's bits are an event's;
// 16 when the text is refused as a whole and nothing changed, and then
// OrbizaRefusal says what is wrong in it.
EMSCRIPTEN_KEEPALIVE int OrbizaRestore(PageWindow* w, const char* text) {
    const std::optional<ViewAddress> address = ParseViewAddress(text, &w->refusal);
    return address ? OutcomeBits(Restore(w->model, *address)) : 16;
}

EMSCRIPTEN_KEEPALIVE const char* OrbizaRefusal(PageWindow* w) { return w->refusal.c_str(); }

// A view's text as OrbizaAddress would write it once restored, without
// drawing; empty when refused, and then OrbizaRefusal says why.
EMSCRIPTEN_KEEPALIVE const char* OrbizaViewText(PageWindow* w, const char* text) {
    const std::optional<ViewAddress> address = ParseViewAddress(text, &w->refusal);
    return Answer(*w, address ? ViewAddressText(*address) : std::string());
}

// The picture's accessible name once the view `text` is restored and drawn.
EMSCRIPTEN_KEEPALIVE const char* OrbizaViewName(PageWindow* w, const char* text) {
    const std::optional<ViewAddress> address = ParseViewAddress(text);
    return Answer(*w, address ? AccessibleNameOf(*address) : std::string());
}

// The same for a view given in parts (ViewParts); `showAxis` is 0 or 1.
EMSCRIPTEN_KEEPALIVE const char* OrbizaPartsText(PageWindow* w, const char* structure, const char* angles,
                                                 const char* time, const char* speeds, const char* seed, int showAxis) {
    const std::optional<ViewAddress> address =
        ViewFromParts({structure, angles, time, speeds, seed, showAxis != 0}, &w->refusal);
    return Answer(*w, address ? ViewAddressText(*address) : std::string());
}

// The same picture drawn afresh at the ratio last set, when it was drawn at
// another; 0 when not. A view with nothing drawn over its picture stays exact
// when its box changes size.
EMSCRIPTEN_KEEPALIVE int OrbizaFollowRatio(PageWindow* w) {
    if (ShownPicture(w->model).scale == w->model.displayRatio) return 0;
    return OutcomeBits(Restore(w->model, Capture(w->model)));
}

// What a control shows and how a screen reader names it now; empty for a name
// not in the table.
EMSCRIPTEN_KEEPALIVE const char* OrbizaCaption(PageWindow* w, const char* control) {
    const ControlRow* row = FindControl(control);
    return Answer(*w, row ? CaptionOf(w->model, *row) : std::string());
}

EMSCRIPTEN_KEEPALIVE const char* OrbizaAccessibleName(PageWindow* w, const char* control) {
    const ControlRow* row = FindControl(control);
    return Answer(*w, row ? AccessibleNameOf(w->model, *row) : std::string());
}

// Where a control stands (see ValueOf); 0 for a name not in the table.
EMSCRIPTEN_KEEPALIVE int OrbizaValue(PageWindow* w, const char* control) {
    const ControlRow* row = FindControl(control);
    return row ? ValueOf(w->model, *row) : 0;
}

EMSCRIPTEN_KEEPALIVE int OrbizaTimerRunning(PageWindow* w) { return w->model.timerRunning ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE const char* OrbizaError(PageWindow* w) { return w->model.error.c_str(); }

// Device pixels per picture pixel where the page shows the picture; see
// SetDisplayRatio.
EMSCRIPTEN_KEEPALIVE void OrbizaSetRatio(PageWindow* w, double ratio) { SetDisplayRatio(w->model, ratio); }

// The picture the page shows (ShownPicture): 0 its width, 1 its height in
// pixels, 2 the ratio it was drawn at.
EMSCRIPTEN_KEEPALIVE double OrbizaShown(PageWindow* w, int which) {
    const Canvas& shown = ShownPicture(w->model);
    return which == 0 ? shown.width : which == 1 ? shown.height : shown.scale;
}

// The picture the page shows (`shown` 1) or the 1x picture (0) as RGBA
// bytes, row by row from the top, as a canvas takes them. The buffer grows
// only when the ratio does.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* OrbizaPixels(PageWindow* w, int shown) {
    const Canvas& picture = shown ? ShownPicture(w->model) : w->model.picture;
    w->rgba.resize(picture.pixels.size() * 4);
    std::uint8_t* out = w->rgba.data();
    for (const std::uint32_t pixel : picture.pixels) {
        const Rgb c = UnpackRgb(pixel);
        *out++ = c.red, *out++ = c.green, *out++ = c.blue, *out++ = 255;
    }
    return w->rgba.data();
}

// The picture as a BMP file, 565 x 517 whatever the ratio; its size comes
// from OrbizaBmpSize.
EMSCRIPTEN_KEEPALIVE const char* OrbizaBmp(PageWindow* w) {
    EncodeBmp(w->model.picture, w->bmp);
    return w->bmp.data();
}

EMSCRIPTEN_KEEPALIVE int OrbizaBmpSize(PageWindow* w) { return int(w->bmp.size()); }

}  // extern "C"
