#pragma once

// Short lines drawn with a canvas's square pen, worked out when the canvas is
// made: for each direction and pair of extents up to PenExtent, the stores
// that cover the line's pixels, as offsets from its first path pixel in the
// canvas's own rows. A short line is then a fixed count of unconditional
// stores, as on the picture, instead of Bresenham's loop with its length to
// guess.
#include <cstdint>
#include <vector>

// The longest extent (in either direction) a pen's table holds: most lines
// of a polyline at that scale.
constexpr int PenExtent(int pen) { return 4 * pen + 1; }

// Pixels written by one store. Each row of a line drawn with the pen is one
// run of at least `pen` pixels, so a run of n takes ceil(n / block) stores,
// the last one overlapping the one before.
constexpr int PenBlock(int pen) { return pen >= 4 ? 4 : pen >= 2 ? 2 : 1; }

constexpr int PenIndex(int pen, bool columnsRise, bool rowsRise, int dc, int dr) {
    return ((columnsRise * 2 + rowsRise) * (PenExtent(pen) + 1) + dc) * (PenExtent(pen) + 1) + dr;
}

// The lines whose stores all lines of a table write: both extents up to this.
constexpr int PenFirstExtent(int pen) { return 2 * pen; }

// A canvas's table: `stores` offsets for each PenIndex, as many as the
// longest line takes, rounded up to a whole number of StoreGroup; a shorter
// line's last store repeated. Every line writes the first `firstStores`,
// enough for the lines up to PenFirstExtent (rounded up likewise), and only
// a line that takes more writes the rest: one that differs at `firstStores`
// from the store before, since no line stores twice in a row but its
// padding. The counts are the same for every line, so the loops over them
// are always guessed right.
inline constexpr int StoreGroup = 4;
struct PenLines {
    int pen = 1, firstStores = 0, stores = 0;
    std::vector<std::int32_t> offsets;
};

PenLines MakePenLines(int pen, int width);
