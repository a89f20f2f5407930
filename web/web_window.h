#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "scene.h"

// What the page's window holds: the view, the drawing surface and the
// buffers the page reads back. All of it is made once, so a redraw and its
// copy to the page allocate nothing.
struct WebWindow {
    Canvas surface;
    Scene scene;
    std::vector<std::uint8_t> rgba = std::vector<std::uint8_t>(Canvas::Width * Canvas::Height * 4);
    std::vector<std::uint8_t> bmp;
    std::string error;  // the last handler's run-time error; empty when it ran through
};

// Depth cue and line colour as the window starts; nothing is drawn.
void StartUp(WebWindow& window);

// The handlers. Each returns false when a run-time error ended it; the lines
// drawn before the error stay and `error` says what happened.
bool SelectStructure(WebWindow& window, int listIndex);  // -1: nothing selected
bool AngleButton(WebWindow& window, Axis axis, int direction);
bool TimerTick(WebWindow& window, Speeds speeds);
bool ShowAxisClicked(WebWindow& window, bool ticked);  // redraws without clearing

// The surface as RGBA bytes, row by row from the top, as a canvas takes them.
const std::uint8_t* PagePixels(WebWindow& window);
