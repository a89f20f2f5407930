#pragma once

// Clip and raster for a polyline's lines at once.
#include <cstdint>

#include "canvas.h"
#include "simd_level.h"

// The lines of a polyline's points, in order: line j from point j + 1 to
// point j (j < count), as LinePixel draws it. Bit i of `inside` tells that
// point i lies inside the raster, and then column[i] and row[i] are its pixel.
struct PixelChain {
    static constexpr int MaxCount = 63;  // lines, as many as `inside` has bits for their ends

    const float* x;
    const float* y;
    const std::int32_t* column;
    const std::int32_t* row;
    std::uint64_t inside;
    const std::uint32_t* pixel;
    int count;
};

// Lines with both ends inside go to the raster, planned ahead in runs; any
// other is cut first, in its turn, as LinePixel would.
void DrawPixelChain(Canvas& surface, const PixelChain& chain, SimdLevel level);
