#pragma once

// The raster step on a canvas at another scale than the picture's: the line's
// path of pixels as at scale 1, drawn with the canvas's square pen.
#include <cstdint>

#include "canvas.h"
#include "pixel_chain.h"

// The line between two pixels inside the raster, with the pen. A PixelLine,
// for the cut.
void PenLine(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// The same pixels as one span per line of the major axis, along Bresenham's
// path: the route for lines the canvas's table of short lines lacks, and the
// reference the table is checked against.
void PenSpans(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// A line in user coordinates, cut first where it leaves the raster.
void ScaledLinePixel(Canvas& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel);

// A polyline's lines, as DrawPixelChain draws them on the picture: from the
// chain's user coordinates, each end's pixel found once (two at a time at a
// level with pairs of doubles).
void DrawScaledChain(Canvas& surface, const PixelChain& chain, SimdLevel level);
