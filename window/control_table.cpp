#include "control_table.h"

#include <algorithm>

namespace {

using enum ControlKind;

// The captions "+", "---" and "X:" say little when read aloud, so every
// control has words of its own for screen readers.
constexpr std::array<ControlRow, ControlCount> Rows{{
    {"pctr1", DrawingArea, "", 120, 600, 8535, 7815, 0, "Picture",
     "The selected structure, drawn as coloured lines on black"},
    {"Command1", Button, "About Orbiza", 11400, 0, 735, 615, 30, "About Orbiza", "Shows who made the program"},
    {"Sav_bmp", Button, "Save as .bmp file...", 9360, 600, 1935, 375, 28, "Save picture",
     "Saves the picture as a BMP file under a name you choose"},
    {"List", ListBox, "", 9630, 1260, 1815, 1230, 21, "Structures", "The 23 structures; selecting one draws it"},
    {"showaxis", CheckBox, "Show 3D axis", 9630, 2610, 1770, 285, 29, "Show 3D axis",
     "Draws the reference axes; unticking keeps them until the next redraw"},
    {"Label1", Label, "Rotation about axis:-", 8880, 3240, 1575, 255, 7, "Rotation about axis",
     "Heading of the six rotation buttons"},
    {"Label3", Label, "X:", 9960, 3720, 255, 255, 9, "X rotation", "Row of the buttons that turn the picture about X"},
    {"xp", Button, "+", 10320, 3720, 375, 375, 3, "Rotate about X, forward", "Adds 0.1 radian to the angle about X"},
    {"xm", Button, "---", 10800, 3720, 375, 375, 4, "Rotate about X, back", "Takes 0.1 radian from the angle about X"},
    {"Label2", Label, "Y:", 9960, 4200, 255, 255, 8, "Y rotation", "Row of the buttons that turn the picture about Y"},
    {"yp", Button, "+", 10320, 4200, 375, 375, 1, "Rotate about Y, forward", "Adds 0.1 radian to the angle about Y"},
    {"ym", Button, "---", 10800, 4200, 375, 375, 2, "Rotate about Y, back", "Takes 0.1 radian from the angle about Y"},
    {"Label4", Label, "Z:", 9960, 4680, 255, 255, 10, "Z rotation", "Row of the buttons that turn the picture about Z"},
    {"zp", Button, "+", 10320, 4680, 375, 375, 5, "Rotate about Z, forward", "Adds 0.1 radian to the angle about Z"},
    {"zm", Button, "---", 10800, 4680, 375, 375, 6, "Rotate about Z, back", "Takes 0.1 radian from the angle about Z"},
    {"Label5", Label, "Auto motion:", 9120, 5280, 1095, 255, 11, "Auto motion",
     "Heading of the Start and Stop buttons"},
    {"start", Button, "Start", 9840, 5640, 735, 375, 12, "Start animation",
     "Turns and reshapes the picture ten times a second by the four speeds"},
    {"stop", Button, "Stop", 10680, 5640, 735, 375, 13, "Stop animation", "Stops the animation; the picture stays"},
    {"Label6", Label, "Speed:", 9360, 6120, 735, 255, 17, "Speed", "Heading of the four speed bars"},
    {"Label7", Label, "X:", 9720, 6480, 255, 255, 18, "X speed row", "Row of the speed of rotation about X"},
    {"HScroll1", ScrollBar, "", 10080, 6480, 1095, 255, 14, "Speed of rotation about X",
     "Radians added each tick: the value divided by 100, from -0.5 to 0.5"},
    {"Label11", Label, "0", 11280, 6480, 495, 255, 24, "X speed", "The speed of rotation about X"},
    {"Label8", Label, "Y:", 9720, 6960, 255, 255, 19, "Y speed row", "Row of the speed of rotation about Y"},
    {"HScroll2", ScrollBar, "", 10080, 6960, 1095, 255, 15, "Speed of rotation about Y",
     "Radians added each tick: the value divided by 100, from -0.5 to 0.5"},
    {"Label12", Label, "0", 11280, 6960, 495, 255, 25, "Y speed", "The speed of rotation about Y"},
    {"Label9", Label, "Z:", 9720, 7440, 255, 255, 20, "Z speed row", "Row of the speed of rotation about Z"},
    {"HScroll3", ScrollBar, "", 10080, 7440, 1095, 255, 16, "Speed of rotation about Z",
     "Radians added each tick: the value divided by 100, from -0.5 to 0.5"},
    {"Label13", Label, "0", 11280, 7440, 495, 255, 26, "Z speed", "The speed of rotation about Z"},
    {"Label10", Label, "Time :", 9360, 8040, 495, 255, 23, "Time speed row", "Row of the speed of the animation time"},
    {"HScroll4", ScrollBar, "", 10080, 8040, 1095, 255, 22, "Speed of time",
     "Time added each tick: the value divided by 100, from -0.5 to 0.5"},
    {"Label14", Label, "0", 11280, 8040, 495, 255, 27, "Time speed", "The speed of the animation time"},
}};

// Both faces place controls in whole pixels.
constexpr bool WholePixels(const ControlRow& row) {
    return row.left % TwipsPerPixel == 0 && row.top % TwipsPerPixel == 0 && row.width % TwipsPerPixel == 0 &&
           row.height % TwipsPerPixel == 0;
}
static_assert(std::all_of(Rows.begin(), Rows.end(), WholePixels));

int IndexIn(const std::array<std::string_view, 4>& names, std::string_view name) {
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : int(found - names.begin());
}

}  // namespace

const std::array<ControlRow, ControlCount>& ControlTable() { return Rows; }

const ControlRow* FindControl(std::string_view name) {
    const auto found =
        std::find_if(Rows.begin(), Rows.end(), [name](const ControlRow& row) { return row.name == name; });
    return found == Rows.end() ? nullptr : &*found;
}

int SpeedBarIndex(std::string_view name) { return IndexIn(SpeedBarNames, name); }

int ReadOutIndex(std::string_view name) { return IndexIn(ReadOutNames, name); }
