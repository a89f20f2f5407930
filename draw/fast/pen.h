#pragma once

// The lines of a canvas at another scale than the picture's: each line's
// path of pixels as at scale 1, drawn with the canvas's square pen.
#include <cstdint>

#include "batch.h"
#include "canvas.h"
#include "double_lanes.h"

// The line between two pixels inside the raster, with the pen. A PixelLine,
// for the cut.
void PenLine(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// The same pixels as one span per line of the major axis, along Bresenham's
// path: the route for lines the canvas's table of short lines lacks, and the
// reference the table is checked against.
void PenSpans(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// A batch's lines, by the kernels of each level: one for each pen, pen 1 first.
extern const LinesKernel PenLinesScalar[Canvas::MaxPen];
#if ORBIZA_DOUBLE_PAIRS
extern const LinesKernel PenLinesPairs[Canvas::MaxPen];
#endif
