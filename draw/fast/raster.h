#pragma once

// The last step of a line on the picture: the pixels of a line whose ends
// are pixels inside the raster. Bresenham's steps, with the short lines that
// make up most polylines read from a table.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>

#include "canvas.h"

// The pixels of every short line, worked out once by Bresenham's steps:
// offsets from the first pixel, the last one repeated up to the eighth. The
// index is the direction (2 where the columns rise, plus 1 where the rows
// rise) and the two extents; for one line, or a register of lines.
inline constexpr int ShortExtent = 7;
struct ShortLine {
    std::ptrdiff_t offsets[ShortExtent + 1];
};
using ShortLineTable = std::array<ShortLine, 4 * (ShortExtent + 1) * (ShortExtent + 1)>;

template <class I>
constexpr I ShortIndex(I direction, I dc, I dr) {
    return (direction * (ShortExtent + 1) + dc) * (ShortExtent + 1) + dr;
}
static_assert(ShortIndex(3, ShortExtent, ShortExtent) == 4 * (ShortExtent + 1) * (ShortExtent + 1) - 1);

constexpr ShortLineTable MakeShortLines() {
    ShortLineTable table{};
    for (int direction = 0; direction < 4; ++direction)
        for (int dc = 0; dc <= ShortExtent; ++dc)
            for (int dr = 0; dr <= ShortExtent; ++dr) {
                const int columnStep = direction & 2 ? 1 : -1, rowStep = direction & 1 ? PictureWidth : -PictureWidth;
                ShortLine& line = table[ShortIndex(direction, dc, dr)];
                int error = dc - dr;
                std::ptrdiff_t offset = 0;
                for (int i = 0; i <= ShortExtent; ++i) {
                    line.offsets[i] = offset;
                    if (i >= std::max(dc, dr)) continue;
                    const int twice = 2 * error;
                    if (twice >= -dr) error -= dr, offset += columnStep;
                    if (twice <= dc) error += dc, offset += rowStep;
                }
            }
    return table;
}

inline constexpr ShortLineTable ShortLines = MakeShortLines();

// The one writer of a short line: eight stores from the table.
[[gnu::always_inline]] inline void WriteShortLine(std::uint32_t* first, const ShortLine& line, std::uint32_t pixel) {
#pragma GCC unroll 8
    for (int i = 0; i <= ShortExtent; ++i) first[line.offsets[i]] = pixel;
}

void LongBresenham(std::uint32_t* at, int dc, int dr, int columnStep, int rowStep, std::uint32_t pixel);

// Bresenham's steps without their branches, for pixel ends inside the
// raster: a short line from the table, a longer one stepped with the minor
// move as a select, the major axis advancing every step.
[[gnu::always_inline]] inline void FastBresenham(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    const int dc = std::abs(c2 - c1), dr = std::abs(r2 - r1);
    std::uint32_t* at = surface.pixels.data() + r1 * PictureWidth + c1;
    if ((dc | dr) <= ShortExtent) [[likely]]
        return WriteShortLine(at, ShortLines[ShortIndex((c1 < c2) * 2 + (r1 < r2), dc, dr)], pixel);
    LongBresenham(at, dc, dr, c1 < c2 ? 1 : -1, r1 < r2 ? PictureWidth : -PictureWidth, pixel);
}

// FastBresenham as a PixelLine, for the cut.
void LineBetweenPixels(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// The same pixels by the plain route: one branch per step. The reference the
// fast raster is checked against.
void PlainBresenham(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);
