// The table of short pen lines against Bresenham's spans, pixel for pixel, around the table's limit.
#include <gtest/gtest.h>

#include <algorithm>

#include "pen.h"
#include "pen_lines.h"

namespace {

// Each line both ways, compared where it can reach and cleared; whole canvases at the end for strays.
struct Comparison {
    Canvas table, spans;
    explicit Comparison(double scale) : table(scale), spans(scale) {}

    void Line(int c1, int r1, int c2, int r2) {
        PenLine(table, c1, r1, c2, r2, 0xFF123456u);
        PenSpans(spans, c1, r1, c2, r2, 0xFF123456u);
        const int reach = table.pen + 1;
        for (int row = std::max(0, std::min(r1, r2) - reach);
             row <= std::min(table.height - 1, std::max(r1, r2) + reach); ++row) {
            const std::size_t from = std::size_t(row) * table.width + std::max(0, std::min(c1, c2) - reach);
            const std::size_t to =
                std::size_t(row) * table.width + std::min(table.width - 1, std::max(c1, c2) + reach) + 1;
            ASSERT_TRUE(std::equal(table.pixels.begin() + from, table.pixels.begin() + to, spans.pixels.begin() + from))
                << "from (" << c1 << ", " << r1 << ") to (" << c2 << ", " << r2 << "), row " << row;
            std::fill(table.pixels.begin() + from, table.pixels.begin() + to, Canvas::Background);
            std::fill(spans.pixels.begin() + from, spans.pixels.begin() + to, Canvas::Background);
        }
    }
};

// Catches pixels too many or few, short runs, wrong row widths, swapped directions, writes past the edge.
TEST(PenTable, DrawsEveryLineAsTheSpansDo) {
    for (const auto& [scale, pen] : {std::pair{1.25, 1}, {1.5, 2}, {2.0, 2}, {3.0, 3}, {4.0, 4}, {8.0, 8}}) {
        SCOPED_TRACE(scale);
        Comparison c(scale);
        ASSERT_EQ(c.table.pen, pen);
        const int w = c.table.width - 1, h = c.table.height - 1, far = PenExtent(pen) + 2;
        const int anchors[][2] = {{0, 0},           {w, 0},     {0, h},         {w, h},        {pen / 2, pen / 2},
                                  {w - pen, h / 2}, {w / 2, 1}, {w / 2, h - 1}, {w / 3, h / 3}};
        for (const auto& a : anchors)
            for (int dc = -far; dc <= far; ++dc)
                for (int dr = -far; dr <= far; ++dr)
                    if (a[0] + dc >= 0 && a[0] + dc <= w && a[1] + dr >= 0 && a[1] + dr <= h) {
                        ASSERT_NO_FATAL_FAILURE(c.Line(a[0], a[1], a[0] + dc, a[1] + dr));
                    }
        EXPECT_EQ(c.table.pixels, c.spans.pixels);
    }
}

}  // namespace
