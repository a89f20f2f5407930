#pragma once

#include <cstdint>

#include "surface.h"

// Draws the line between two pixels that lie inside the raster.
using PixelLine = void (*)(Surface& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// Cuts a line given in user coordinates at the edges of the raster and draws
// what is left with `draw`. Works in double on the user square, so ends far
// outside (even near the float limit) land where they should and no unclipped
// coordinate is ever turned into an integer.
void DrawClippedLine(Surface& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel, PixelLine draw);
