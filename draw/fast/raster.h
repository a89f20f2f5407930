#pragma once

// The last step of a segment: the pixels of a line whose ends are pixels
// inside the raster. Bresenham's steps, with the short lines that make up
// most polylines read from a table.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>

#include "canvas.h"

// The pixels of every short line, worked out once by Bresenham's steps:
// offsets from the first pixel, the last one repeated up to the eighth. The
// index is the direction (column, row falling or rising) and the two extents.
inline constexpr int ShortExtent = 7;
struct ShortLine {
    std::ptrdiff_t offsets[ShortExtent + 1];
};
using ShortLineTable = std::array<ShortLine, 4 * (ShortExtent + 1) * (ShortExtent + 1)>;

constexpr int ShortIndex(bool columnsRise, bool rowsRise, int dc, int dr) {
    return ((columnsRise * 2 + rowsRise) * (ShortExtent + 1) + dc) * (ShortExtent + 1) + dr;
}
static_assert(ShortIndex(true, true, ShortExtent, ShortExtent) == 4 * (ShortExtent + 1) * (ShortExtent + 1) - 1);

constexpr ShortLineTable MakeShortLines() {
    ShortLineTable table{};
    for (int direction = 0; direction < 4; ++direction)
        for (int dc = 0; dc <= ShortExtent; ++dc)
            for (int dr = 0; dr <= ShortExtent; ++dr) {
                const int columnStep = direction & 2 ? 1 : -1, rowStep = direction & 1 ? PictureWidth : -PictureWidth;
                ShortLine& line = table[ShortIndex(direction & 2, direction & 1, dc, dr)];
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

void LongBresenham(std::uint32_t* at, int dc, int dr, int columnStep, int rowStep, std::uint32_t pixel);

// FastBresenham as a PixelLine for the clip.
void LineBetweenPixels(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// The same pixels by the plain route: one branch per step. The reference the
// fast raster is checked against.
void PlainBresenham(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel);

// Bresenham's steps without their branches, for pixel ends inside the
// raster. Short lines, the bulk of any polyline, write a fixed eight pixels
// from the table (the last one again where the line is shorter); longer ones
// step with the minor move as a select: the major axis advances every step.
[[gnu::always_inline]] inline void FastBresenham(Canvas& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    const int dc = std::abs(c2 - c1), dr = std::abs(r2 - r1);
    std::uint32_t* at = surface.pixels.data() + r1 * PictureWidth + c1;
    if ((dc | dr) <= ShortExtent) [[likely]] {
        const ShortLine& line = ShortLines[ShortIndex(c1 < c2, r1 < r2, dc, dr)];
#pragma GCC unroll 8
        for (int i = 0; i <= ShortExtent; ++i) at[line.offsets[i]] = pixel;
        return;
    }
    LongBresenham(at, dc, dr, c1 < c2 ? 1 : -1, r1 < r2 ? PictureWidth : -PictureWidth, pixel);
}
