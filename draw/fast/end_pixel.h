#pragma once

// Where an end lands on a raster: the one place its pixel is worked out.
#include <cstdint>

#include "batch.h"
#include "double_lanes.h"

// The pixels of an end (L a double) or a register of ends on a raster of
// width x height pixels. User coordinates from -1 to 1 map onto it as column
// floor((x + 1) width / 2) and row floor((y + 1) height / 2), the right and
// bottom edges into the last column and row. Bit i is set where end i lies
// on the raster, its edges included; only there are column[i] and row[i]
// its pixel.
template <class L>
inline unsigned EndPixels(L x, L y, double width, double height, std::int32_t* column, std::int32_t* row) {
    const L u = (x + 1.0) * (width / 2.0), v = (y + 1.0) * (height / 2.0);
    PixelIndices(u, width, column), PixelIndices(v, height, row);
    return WithinBits(u, width, v, height);
}

// The pixels of the segments' ends 0 .. count, a register at a time; bit i
// of the result set where end i lies on the raster.
template <class L>
inline std::uint64_t EndPixelsOf(const ColouredSegments& s, double width, double height, std::int32_t* column,
                                 std::int32_t* row) {
    static_assert(Batch::Ends <= 64, "a bit for every end");
    std::uint64_t inside = 0;
    for (int i = 0; i <= s.count; i += LaneCount<L>) {
        L x, y;
        LoadFloats(s.x + i, x), LoadFloats(s.y + i, y);
        inside |= std::uint64_t(EndPixels(x, y, width, height, column + i, row + i)) << i;
    }
    return inside;
}
