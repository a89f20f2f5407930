#include "surface.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "run_time_error.h"

namespace {

constexpr Rgb White{255, 255, 255};
constexpr std::uint32_t WhitePixel = 0xFFFFFFFFu;

int CountLit(const Surface& s) {
    int lit = 0;
    for (std::uint32_t p : s.pixels) lit += p != Surface::Background;
    return lit;
}

TEST(Surface, CornersAndCentre) {
    struct Case {
        float x, y;
        int column, row;
    } cases[] = {{-1, -1, 0, 0}, {1, 1, Surface::Width - 1, Surface::Height - 1}, {0, 0, 282, 258}};
    for (const Case& c : cases) {
        Surface s;
        Line(s, c.x, c.y, c.x, c.y, White);
        EXPECT_EQ(PixelAt(s, c.column, c.row), WhitePixel);
        EXPECT_EQ(CountLit(s), 1);
    }
}

TEST(Surface, LineLengthsFollowTheUnequalScales) {
    Surface horizontal, vertical;
    Line(horizontal, -0.5f, 0, 0.5f, 0, White);  // 282.5 pixels of width
    Line(vertical, 0, -0.5f, 0, 0.5f, White);    // 258.5 pixels of height
    EXPECT_NEAR(CountLit(horizontal), 282.5, 1.0);
    EXPECT_NEAR(CountLit(vertical), 258.5, 1.0);
}

TEST(Surface, LinesAreCutAtTheEdges) {
    struct Case {
        float x1, y1, x2, y2;
        int lit;
    } cases[] = {
        {0, 0, 3, 0, Surface::Width - 282},              // centre to the right edge, no further
        {0, 0, 1e30f, 0, Surface::Width - 282},          // far end way out: clipped in floating point
        {-FLT_MAX, 0, FLT_MAX, 0, Surface::Width},       // both ends out, crossing the whole raster
        {-1e30f, -1e30f, 1e30f, 1e30f, Surface::Width},  // diagonal through the middle
        {-1e30f, -1e30f, 3e30f, 3e30f, Surface::Width},  // both ends far, midpoint far too
        {0, 0, 1e30f, 1e30f, Surface::Width - 282},      // one end far: from the centre to a corner
        {2, 2, 3, 3, 0},                                 // wholly outside
        {-2, -1.5f, 2, -1.5f, 0},                        // parallel to an edge, outside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x2);
        Surface s;
        Line(s, c.x1, c.y1, c.x2, c.y2, White);
        EXPECT_EQ(CountLit(s), c.lit);
    }
}

TEST(Surface, FarDiagonalReachesBothCorners) {
    Surface s;
    Line(s, -3e38f, -3e38f, 1e36f, 1e36f, White);
    EXPECT_EQ(PixelAt(s, 0, 0), WhitePixel);
    EXPECT_EQ(PixelAt(s, 282, 258), WhitePixel);
    EXPECT_EQ(PixelAt(s, Surface::Width - 1, Surface::Height - 1), WhitePixel);
}

TEST(Surface, NonFiniteEndsAreReportedNotDrawn) {
    Surface s;
    EXPECT_THROW(Line(s, 0, 0, INFINITY, 0, White), RunTimeError);
    EXPECT_THROW(Line(s, NAN, 0, 0, 0, White), RunTimeError);
    EXPECT_EQ(CountLit(s), 0);
}

TEST(Surface, ClearRestoresBlack) {
    Surface s;
    Line(s, -1, -1, 1, 1, White);
    Clear(s);
    EXPECT_EQ(CountLit(s), 0);
    EXPECT_THROW(PixelAt(s, Surface::Width, 0), RunTimeError);
}

}  // namespace
