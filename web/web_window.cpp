#include "web_window.h"

#include <exception>

#include "catalogue.h"

namespace {

// A run-time error ends the handler; the page shows the message and goes on.
template <typename Handler>
bool Handle(WebWindow& window, Handler handler) {
    window.error.clear();
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        window.error = error.what();
        if (window.error.empty()) window.error = "run-time error";
        return false;
    }
}

void ClearAndRedraw(WebWindow& window) {
    Clear(window.surface);
    RedrawScene(window.scene);
}

}  // namespace

void StartUp(WebWindow& window) {
    window.scene.tools.surface = &window.surface;
    StartUpDrawing(window.scene.tools, StartUpSimdLevel());
}

bool SelectStructure(WebWindow& window, int listIndex) {
    return Handle(window, [&] {
        window.scene.view.StructureIndex = std::int16_t(listIndex < 0 ? 0 : listIndex + 1);
        ClearAndRedraw(window);
    });
}

bool AngleButton(WebWindow& window, Axis axis, int direction) {
    return Handle(window, [&] {
        NudgeAngle(window.scene.view, axis, direction);
        ClearAndRedraw(window);
    });
}

bool TimerTick(WebWindow& window, Speeds speeds) {
    return Handle(window, [&] {
        ApplyTimerTick(window.scene.view, speeds);
        ClearAndRedraw(window);
    });
}

bool ShowAxisClicked(WebWindow& window, bool ticked) {
    return Handle(window, [&] {
        window.scene.showAxis = ticked;
        RedrawScene(window.scene);
    });
}

const std::uint8_t* PagePixels(WebWindow& window) {
    std::uint8_t* out = window.rgba.data();
    for (const std::uint32_t pixel : window.surface.pixels) {
        const Rgb c = UnpackRgb(pixel);
        *out++ = c.red, *out++ = c.green, *out++ = c.blue, *out++ = 255;
    }
    return window.rgba.data();
}
