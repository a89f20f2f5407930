#pragma once

#include "line_data.h"

// The catalogue's structures lie within 0.8 of the origin: with the eye 5
// away, such a point stays inside the picture at every turn (0.8 x 5 / 4.2 < 1).
inline constexpr double FitRadius = 0.8;

// Moves the points so the centre of their bounding box is the origin and
// scales them alike on every axis so the farthest is FitRadius from it. Points
// all in one place are moved to the origin and left at that size.
void FitLines(LineData& data);
