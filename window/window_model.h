#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "canvas.h"
#include "control_table.h"
#include "depth_screen.h"
#include "scene.h"
#include "view_address.h"

// What the window holds between events: the view and the drawing state, the
// picture the drawing area shows, the values the controls stand at and the
// depth store. Both faces keep one and hand it every event; it never moves,
// because the faces show its picture where it lies.
struct WindowModel {
    Canvas picture;  // the drawing area's persistent image, 565 x 517: what is saved and compared
    // The same picture drawn at the screen's device pixel ratio from the same
    // segments, for a face to show one image pixel to one device pixel; none
    // at ratio 1. It is made anew when the ratio changes, so a face takes
    // ShownPicture after every event instead of keeping a pointer.
    std::optional<Canvas> display;
    double displayRatio = 1;  // the ratio the face asked for; the next clearing redraw takes it up
    Scene scene;              // the view, the drawing core's state and the random source
    DepthScreen depthScreen;
    Speeds speeds{};                                          // HScroll1..HScroll4
    std::array<std::string, 4> readOuts{"0", "0", "0", "0"};  // Label11..Label14 as shown
    bool timerRunning = false;
    // The random source as the last redraw found it: drawing again from here
    // gives the same picture, random structures included.
    RandomSource randomBeforeRedraw;
    bool axesOnPicture = false;  // the axes are drawn on the picture (they stay when the box is unticked)
    std::string error;           // the last event's run-time error as the user reads it; empty when none

    WindowModel() = default;
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;
};

// What an event leaves for the face to do.
enum class FaceRequest { None, ShowAbout, SavePicture };
struct Outcome {
    bool pictureChanged = false;  // also when a run-time error stopped a redraw half-way
    bool failed = false;          // a run-time error ended the event; `error` says which
    FaceRequest request = FaceRequest::None;
};

// The window's start-up: depth cue, depth store, white lines, and the
// instruction-set level the program chose. The list's entries are the
// catalogue's; nothing is selected and nothing is drawn.
void StartUp(WindowModel& model, SimdLevel level);

// One event of a control, by its name in the control table or TimerName for
// the timer's tick. `value` is what the control reports: the list's selected
// index (-1 for none), the check box's state (0 or 1), a scroll bar's value;
// buttons and the tick ignore it. A run-time error ends the event: what was
// drawn stays, the program goes on.
Outcome HandleEvent(WindowModel& model, std::string_view control, int value);

// What a control shows and how a screen reader names it now: the read-outs
// follow their bars, the picture's name says what it shows.
std::string CaptionOf(const WindowModel& model, const ControlRow& row);
std::string AccessibleNameOf(const WindowModel& model, const ControlRow& row);
// The picture's name once the state `address` holds is restored and drawn.
std::string AccessibleNameOf(const ViewAddress& address);
// Where a control stands, as a face sets it after a restore: the list's
// selected index (-1 for none), the check box's state, a speed bar's value;
// 0 for the others.
int ValueOf(const WindowModel& model, const ControlRow& row);

// The screen's device pixel ratio, held within Canvas::MinScale..MaxScale.
// A clearing redraw draws the display picture at it from then on; until that
// redraw the face shows the picture it has, scaled. While the picture is
// blank (at start-up) the display picture takes the ratio at once.
void SetDisplayRatio(WindowModel& model, double ratio);
// What a face shows in the drawing area: the display picture, or the picture at ratio 1.
const Canvas& ShownPicture(const WindowModel& model);

// Clears `canvas` (and `display`, when there is one) when asked and draws the
// scene on them, each segment transformed once: the axes when the box is
// ticked, then the selected structure.
void DrawPicture(Scene& scene, Canvas& canvas, Canvas* display, bool clear);

// The window's state as a page address keeps it (`ViewAddress`).
ViewAddress Capture(const WindowModel& model);
// Puts the state back and draws the picture from it afresh, with the random
// source where the captured picture's redraw found it. A picture built up by
// redraws without clearing (the axis box) comes back as one clear redraw.
Outcome Restore(WindowModel& model, const ViewAddress& snapshot);
