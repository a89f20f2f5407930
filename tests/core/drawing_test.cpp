// Below the digests: depth cue and colour, cutting at the raster's edges, a segment's errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <tuple>

#include "test_support.h"

namespace {

// At angles 0 a point at depth 0 lands exactly on (x, -y): these are screen lines.
void DrawFlat(Drawing& d, float x1, float y1, float x2, float y2, float depth = 0) {
    DrawSegment(d.scene.tools, {x1, -y1, depth}, {x2, -y2, depth}, {0, 0, 0});
}

// Catches rotations in another order or sense, a quarter turn's cosine taken as 0, a projection off its eye.
TEST(DrawSegment, RotatePointAndProjectPoint) {
    const float quarter = float(std::numbers::pi / 2);
    const std::tuple<Vec3, Vec3, Vec3> rotations[] = {
        // point, angles, turned
        {{1, 0, 0}, {0, 0, quarter}, {-4.371139e-8f, 1, 0}},
        {{0, 1, 0}, {quarter, 0, 0}, {0, -4.371139e-8f, 1}},
        {{1, 0, 0}, {0, quarter, 0}, {-4.371139e-8f, 0, -1}},
        {{1, 0, 0}, {0.1f, 0.2f, 0.3f}, {0.9362934f, 0.2896295f, -0.1986693f}}};
    for (auto [v, angles, turned] : rotations) {
        RotatePoint(v, angles);
        EXPECT_FLOAT_EQ(v.x, turned.x);
        EXPECT_FLOAT_EQ(v.y, turned.y);
        EXPECT_FLOAT_EQ(v.z, turned.z);
    }
    const std::pair<Vec3, ScreenPoint> projections[] = {
        {{1, 1, 0}, {1, -1}}, {{1, 1, 5}, {0.5f, -0.5f}}, {{0.5f, -0.5f, -2.5f}, {1, 1}}};
    for (const auto& [v, screen] : projections)
        EXPECT_EQ(std::pair(ProjectPoint(v).x, ProjectPoint(v).y), std::pair(screen.x, screen.y));
}

// Catches a depth cue off its formula, not clamped, rounded otherwise than to even, or channels swapped.
TEST(DrawSegment, DepthCueAndColour) {
    const std::tuple<float, Rgb, Rgb> cases[] = {
        // depth of both ends together, white drawn, the axes' blue drawn
        {-4, {255, 255, 255}, {72, 179, 255}},  // clamped at 255
        {-1, {204, 204, 204}, {41, 102, 204}},
        {0, {152, 152, 152}, {31, 76, 152}},  // 152.5 rounds to even; 0.2f is above 0.2
        {2, {50, 50, 50}, {10, 25, 50}},
        {3, {0, 0, 0}, {0, 0, 0}},  // brightness clamped at 0
    };
    for (const auto& [depthSum, white, axes] : cases) {
        const auto colour = [&](float red, float green, float blue) {
            Drawing d(true);
            SetLineColour(d.scene.tools, red, green, blue);
            DrawFlat(d, 0, 0, 0.1f, 0, depthSum / 2);
            return PackRgb(d.log.at(0).colour);
        };
        EXPECT_EQ(colour(1, 1, 1), PackRgb(white)) << depthSum;
        EXPECT_EQ(colour(0.2f, 0.5f, 1), PackRgb(axes)) << depthSum;
    }
}

// Catches far ends cut in float (lines off their pixels), right/bottom edges outside, half pixels (282.5, 258.5).
TEST(DrawSegment, LinesAreCutAtTheEdges) {
    const std::tuple<float, float, float, float, int, int, int> cases[] = {
        // ends, pixels set, and one of them
        {1, 1, 1, 1, 1, PictureWidth - 1, PictureHeight - 1},
        {0, 0, 0, 0, 1, 282, 258},
        {-0.5f, 0, 0.5f, 0, 283, 282, 258},
        {0, -0.5f, 0, 0.5f, 259, 282, 258},
        {0, 0, 1e30f, 0, PictureWidth - 282, PictureWidth - 1, 258},
        {-FLT_MAX, 0, FLT_MAX, 0, PictureWidth, 0, 258},
        {-1e30f, -1e30f, 3e30f, 3e30f, PictureWidth, 0, 0},  // both ends and their midpoint far
        {-3e38f, -3e38f, 1e36f, 1e36f, PictureWidth, 282, 258},
        {0, 0, 1e30f, 1e30f, PictureWidth - 282, PictureWidth - 1, PictureHeight - 1},
        {2, 2, 3, 3, 0, 0, 0}};
    for (const auto& [x1, y1, x2, y2, lit, column, row] : cases) {
        SCOPED_TRACE(testing::Message() << x1 << "," << y1 << " " << x2 << "," << y2);
        Drawing d(false);
        DrawFlat(d, x1, y1, x2, y2);
        EXPECT_EQ(LitPixels(d.surface), lit);
        EXPECT_EQ(d.surface.pixels[row * PictureWidth + column] != Canvas::Background, lit > 0);
    }
}

// A line's pixels by Bresenham's steps on a raster three pictures across, cropped to the middle one.
std::vector<std::pair<int, int>> WholeLineCropped(float x1, float y1, float x2, float y2) {
    const auto column = [](float x) { return int(std::floor((x + 1.0) * PictureColumnsPerUnit)) + PictureWidth; };
    const auto row = [](float y) { return int(std::floor((y + 1.0) * PictureRowsPerUnit)) + PictureHeight; };
    int c = column(x1), r = row(y1);
    const int c2 = column(x2), r2 = row(y2);
    const int dc = std::abs(c2 - c), dr = -std::abs(r2 - r), sc = c < c2 ? 1 : -1, sr = r < r2 ? 1 : -1;
    std::vector<std::pair<int, int>> pixels;
    for (int error = dc + dr;;) {
        if (c >= PictureWidth && c < 2 * PictureWidth && r >= PictureHeight && r < 2 * PictureHeight)
            pixels.emplace_back(c - PictureWidth, r - PictureHeight);
        if (c == c2 && r == r2) return pixels;
        const int twice = 2 * error;
        if (twice >= dr) error += dr, c += sc;
        if (twice <= dc) error += dc, r += sr;
    }
}

// Whether every pixel of `a` has one of `b` at most a pixel away (on an edge, on the same edge).
bool EveryPixelNear(const std::vector<std::pair<int, int>>& a, const std::vector<std::pair<int, int>>& b) {
    const auto edges = [](std::pair<int, int> p) {
        return (p.first == 0) | (p.first == PictureWidth - 1) << 1 | (p.second == 0) << 2 |
               (p.second == PictureHeight - 1) << 3;
    };
    return std::ranges::all_of(a, [&](std::pair<int, int> p) {
        return std::ranges::any_of(b, [&](std::pair<int, int> q) {
            return std::abs(p.first - q.first) <= 1 && std::abs(p.second - q.second) <= 1 &&
                   (edges(p) & edges(q)) == edges(p);
        });
    });
}

// Catches lines leaving through an edge (or two) that stray from the whole line or stop short.
TEST(DrawSegment, LinesLeavingThePictureFollowTheWholeLine) {
    const float ends[][4] = {
        {0.1f, 0.2f, 2.3f, 0.7f},      {-0.3f, 0.1f, -2.9f, -0.4f},   {0.2f, -0.3f, 0.5f, -2.6f},
        {-0.1f, 0.4f, -0.9f, 2.2f},    {-2.5f, 0.3f, 2.8f, -0.2f},    {0.4f, -2.2f, -0.3f, 2.9f},
        {-1.8f, 0.9f, 0.6f, -2.7f},    {0.95f, 0.99f, 1.6f, 1.3f},    {-0.7f, -0.2f, 2.9f, 2.95f},
        {2.6f, -0.99f, -2.7f, -0.97f}, {0.999f, -2.5f, 0.999f, 2.5f}, {-1.2f, 1.9f, 1.7f, -1.4f},
    };
    for (const auto& e : ends) {
        SCOPED_TRACE(testing::Message() << e[0] << "," << e[1] << " " << e[2] << "," << e[3]);
        Canvas surface;
        Line(surface, e[0], e[1], e[2], e[3], {255, 255, 255});
        std::vector<std::pair<int, int>> lit;
        for (int r = 0; r < PictureHeight; ++r)
            for (int c = 0; c < PictureWidth; ++c)
                if (PixelAt(surface, c, r) != Canvas::Background) lit.emplace_back(c, r);
        const std::vector<std::pair<int, int>> whole = WholeLineCropped(e[0], e[1], e[2], e[3]);
        ASSERT_FALSE(whole.empty());
        EXPECT_TRUE(EveryPixelNear(lit, whole) && EveryPixelNear(whole, lit));
        EXPECT_LE(std::abs(int(lit.size()) - int(whole.size())), 2);
    }
}

// Rows of depth gain, an end's x, both ends' z: an end in the eye plane or at infinity, brightness beyond 16 bits.
TEST(DrawSegment, FailuresRaiseTheirErrorsAndDrawNothing) {
    using enum ErrorKind;
    const std::tuple<float, float, float, ErrorKind> cases[] = {
        {205, 0, -5, FloatingPoint}, {205, INFINITY, 0, FloatingPoint}, {1e6f, 0, -1, Overflow}};
    for (const auto& [depthGain, x, z, kind] : cases) {
        Drawing d(true);
        d.scene.tools.DepthGain = depthGain;
        EXPECT_EQ(RaisedKind([&] { DrawSegment(d.scene.tools, {x, 0, z}, {0, 0.5f, z}, {0, 0, 0}); }), kind);
        EXPECT_EQ(LitPixels(d.surface), 0);
    }
}

}  // namespace
