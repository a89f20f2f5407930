#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scene.h"
#include "speeds.h"

// The whole state of the viewer's window, as the web page keeps it in its
// address after '#' and as `orbiza-render --view` reads it:
//
//   v1;row=4;angles=0.4,0.6,0.2;time=0.8;speeds=0,3,0,5;axes=1;timer=0;random=0123456789abcdef
//
//   v1      the version; a text of another version is refused
//   row     the list selection, 1..23, or 0 when nothing is selected
//   angles  AngleX,AngleY,AngleZ    time  AnimTime
//           finite floats in the fewest digits that read back bit for bit
//           ("-0", "1e-45", "3.4028235e38"); any decimal is read, rounded
//   speeds  the four speed bars X,Y,Z,Time, whole numbers -50..50
//   axes    the axis box, 0 or 1        timer  1 while the timer runs
//   random  the random source's 64-bit state before the picture shown was
//           drawn, 16 hex digits, so "Rossler Chaos" comes back as it was
//
// Written in this order; read in any order, every field exactly once. Only
// letters, digits and ".-;=," appear, so a browser keeps the text as it is.
struct ViewAddress {
    ViewState view;  // the angles, the time and the list selection (StructureIndex)
    Speeds speeds;
    bool showAxis = false;
    bool timerRunning = false;
    std::uint64_t randomState = RandomSource{}.state;
};

std::string ViewAddressText(const ViewAddress& address);

// The fragment with or without its '#', or a whole address (what follows its
// first '#'). A text that is malformed, partial, of another version or out of
// range gives nothing, and `problem` says what is wrong in it.
std::optional<ViewAddress> ParseViewAddress(std::string_view text, std::string* problem = nullptr);

// Puts the drawing state back as the text holds it: the view, the axis box and
// the random source, ready for the clearing redraw that shows the picture.
// The window's Restore puts back its controls around it.
void RestoreScene(Scene& scene, const ViewAddress& address);
