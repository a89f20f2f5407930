#include "pen_lines.h"

#include <algorithm>

#include "canvas.h"

namespace {

constexpr int MaxRows = PenExtent(Canvas::MaxPen) + Canvas::MaxPen;

// The pixels of a line with the pen, as one run per row, from the top row
// down: columns `from` to `to`, rows and columns counted from the first path
// pixel. The path is Bresenham's, from (0, 0) to (dc, dr) times the steps.
struct PenRun {
    int row, from, to;
};
struct PenRuns {
    int count;
    PenRun run[MaxRows];
};

PenRuns RunsOf(int pen, int dc, int dr, int columnStep, int rowStep) {
    const int back = pen / 2, ahead = pen - 1 - back;  // the square's reach up and left, and down and right
    const int top = (rowStep > 0 ? 0 : -dr) - back;
    PenRuns runs;
    runs.count = dr + pen;
    for (int i = 0; i < runs.count; ++i) runs.run[i] = {top + i, dc + pen, -dc - pen};  // empty
    int column = 0, row = 0, error = dc - dr;
    for (int left = std::max(dc, dr);; --left) {
        for (PenRun* r = runs.run + (row - back - top); r < runs.run + (row + ahead + 1 - top); ++r)
            r->from = std::min(r->from, column - back), r->to = std::max(r->to, column + ahead);
        if (left == 0) return runs;
        const int twice = 2 * error;
        if (twice >= -dr) error -= dr, column += columnStep;
        if (twice <= dc) error += dc, row += rowStep;
    }
}

// The stores that cover the runs, `block` pixels each, as offsets in rows of
// `width` (none written for a null `offsets`); their count.
int Stores(const PenRuns& runs, int block, int width, std::int32_t* offsets) {
    int n = 0;
    for (int i = 0; i < runs.count; ++i) {
        const PenRun& run = runs.run[i];
        for (int from = run.from;; from += block) {
            if (offsets) offsets[n] = run.row * width + std::min(from, run.to + 1 - block);
            ++n;
            if (from + block > run.to) break;
        }
    }
    return n;
}

int RoundedToGroups(int stores) { return (stores + StoreGroup - 1) / StoreGroup * StoreGroup; }

}  // namespace

PenLines MakePenLines(int pen, int width) {
    const int block = PenBlock(pen), lines = 4 * (PenExtent(pen) + 1) * (PenExtent(pen) + 1);
    PenLines table{pen, 0, 0, {}};
    for (int dc = 0; dc <= PenExtent(pen); ++dc)
        for (int dr = 0; dr <= PenExtent(pen); ++dr) {
            const int stores = Stores(RunsOf(pen, dc, dr, 1, 1), block, width, nullptr);  // as many in every direction
            table.stores = std::max(table.stores, stores);
            if (std::max(dc, dr) <= PenFirstExtent(pen)) table.firstStores = std::max(table.firstStores, stores);
        }
    table.stores = RoundedToGroups(table.stores), table.firstStores = RoundedToGroups(table.firstStores);
    table.offsets.resize(std::size_t(lines) * std::size_t(table.stores));
    for (const bool columnsRise : {false, true})
        for (const bool rowsRise : {false, true})
            for (int dc = 0; dc <= PenExtent(pen); ++dc)
                for (int dr = 0; dr <= PenExtent(pen); ++dr) {
                    const int index = PenIndex(pen, columnsRise, rowsRise, dc, dr);
                    std::int32_t* const line = table.offsets.data() + std::size_t(index) * std::size_t(table.stores);
                    const int n =
                        Stores(RunsOf(pen, dc, dr, columnsRise ? 1 : -1, rowsRise ? 1 : -1), block, width, line);
                    std::fill(line + n, line + table.stores, line[n - 1]);
                }
    return table;
}
