#pragma once

// The kernels a drawing state draws with, a set for each instruction-set
// level and one for the plain route, and their choice: the one place that
// reads the level.
#include "batch.h"
#include "canvas.h"
#include "simd_level.h"
#include "tools3d.h"

struct DrawingKernels {
    ChainKernel chain;        // a polyline's segments, through transform and colour to the canvases
    LinesKernel picture;      // their lines on a canvas at the picture's size
    const LinesKernel* pens;  // on a canvas at another scale, by its pen, pen 1 first
};

extern const DrawingKernels PlainKernels;

const DrawingKernels& KernelsFor(SimdLevel level);

// The kernel for lines on the canvas, from the set.
LinesKernel LinesFor(const DrawingKernels& kernels, const Canvas& surface);
