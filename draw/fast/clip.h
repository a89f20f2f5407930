#pragma once

// The third step of a segment: its line cut to the raster, or found to need
// no cut, before the raster step sets its pixels.
#include <cstdint>

#include "canvas.h"
#include "simd_level.h"

// The pixel a user point lands on when it lies inside the raster, its edges
// included; false for a point outside, where the line needs the cut. The far
// edges belong to the last column and row.
inline bool PixelInside(float x, float y, int& column, int& row) {
    const double u = (double(x) + 1.0) * PictureColumnsPerUnit, v = (double(y) + 1.0) * PictureRowsPerUnit;
    if (!(u >= 0.0 && u <= PictureWidth && v >= 0.0 && v <= PictureHeight)) return false;
    column = static_cast<int>(u) - (u == PictureWidth);  // truncation is floor here
    row = static_cast<int>(v) - (v == PictureHeight);
    return true;
}

// PixelInside on a canvas of any size.
inline bool PixelInsideOf(const Canvas& surface, float x, float y, int& column, int& row) {
    const double u = (double(x) + 1.0) * (surface.width / 2.0), v = (double(y) + 1.0) * (surface.height / 2.0);
    if (!(u >= 0.0 && u <= surface.width && v >= 0.0 && v <= surface.height)) return false;
    column = static_cast<int>(u) - (u == surface.width);
    row = static_cast<int>(v) - (v == surface.height);
    return true;
}

// Draws the line between two pixels that lie inside the raster.
using PixelLine = void (*)(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// Cuts a line given in user coordinates at the edges of the raster and draws
// what is left with `draw`. Works in double on the user square, so ends far
// outside (even near the float limit) land where they should and no unclipped
// coordinate is ever turned into an integer. Raises for an end that is not finite.
void DrawClippedLine(Canvas& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel, PixelLine draw);

// The fast route's line on the picture: both ends inside go straight to the
// raster step, any other line is cut first.
void LinePixel(Canvas& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel, SimdLevel level);
