#pragma once

// A line cut to the raster, for the lines with an end outside it.
#include <cstdint>
#include <vector>

#include "canvas.h"

// Draws the line between two pixels that lie inside the raster.
using PixelLine = void (*)(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// Cuts a line given in user coordinates at the edges of the raster and draws
// what is left with `draw`. Works in double on the user square, so ends far
// outside (even near the float limit) land where they should and no unclipped
// coordinate is ever turned into an integer. Raises for an end that is not finite.
void DrawClippedLine(Canvas& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel, PixelLine draw);

// The same cut on a raster of width x height, the pieces left appended to
// `runs` as their end pixels.
void ClipToRuns(float x1, float y1, float x2, float y2, int width, int height, std::vector<PixelRun>& runs);
