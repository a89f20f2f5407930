#pragma once

#include <array>
#include <string_view>

#include "view_state.h"

// The window's controls as both faces build them: the desktop's widgets and
// the page's elements come from these rows and nothing else.
enum class ControlKind { DrawingArea, Button, ListBox, CheckBox, Label, ScrollBar };

struct ControlRow {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;      // empty where the control shows none
    int left, top, width, height;  // twips, from the client area's top-left corner
    int tabIndex;                  // focus order, lowest first; labels never take the focus
    std::string_view accessibleName, accessibleDescription;
};

inline constexpr int TwipsPerPixel = 15;
inline constexpr std::string_view WindowCaption = "Orbiza";
inline constexpr int ClientWidth = 12135, ClientHeight = 8895;  // twips: 809 x 593 pixels

inline constexpr std::string_view TimerName = "Timer1";
inline constexpr int TimerInterval = 100;  // milliseconds

// The speed bars' range; an arrow and a click in the trough move by one.
inline constexpr int SpeedMinimum = -SpeedLimit, SpeedMaximum = SpeedLimit, SpeedStep = 1;
// The four speed bars and their read-outs: X, Y, Z, time.
inline constexpr std::array<std::string_view, 4> SpeedBarNames{"HScroll1", "HScroll2", "HScroll3", "HScroll4"};
inline constexpr std::array<std::string_view, 4> ReadOutNames{"Label11", "Label12", "Label13", "Label14"};

inline constexpr int ControlCount = 31;
const std::array<ControlRow, ControlCount>& ControlTable();

// The row of a control, or nullptr for a name not in the table.
const ControlRow* FindControl(std::string_view name);

// Which speed bar (0..3) a control is, or which bar a read-out shows; -1 otherwise.
int SpeedBarIndex(std::string_view name);
int ReadOutIndex(std::string_view name);
