#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "outline.h"
#include "raised.h"
#include "tools3d.h"

namespace {

constexpr float HalfPi = 1.5707963705062866f;  // the float nearest pi/2

void ExpectVec(Vec3 v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(RotatePoint, QuarterTurnsLeaveTheCosineOfTheFloatAngle) {
    struct Case {
        Vec3 point, angles, expected;
    } cases[] = {
        {{1, 0, 0}, {0, 0, HalfPi}, {-4.371139e-8f, 1, 0}},  // +x toward +y
        {{0, 1, 0}, {HalfPi, 0, 0}, {0, -4.371139e-8f, 1}},  // +y toward +z
        {{1, 0, 0}, {0, HalfPi, 0}, {-4.371139e-8f, 0, -1}},
        {{1, 0, 0}, {0.1f, 0.2f, 0.3f}, {0.9362934f, 0.2896295f, -0.1986693f}},
    };
    for (const Case& c : cases) {
        Vec3 v = c.point;
        RotatePoint(v, c.angles);
        ExpectVec(v, c.expected.x, c.expected.y, c.expected.z);
    }
}

TEST(RotatePoint, CachedTrigGivesTheSameBitsAsFreshTrig) {
    const Vec3 angles{0.7f, -1.3f, 2.9f};
    Vec3 v{0.3f, -0.45f, 0.8f};
    const Vec3 viaCache = RotateWithTrig(v, ComputeViewTrig(angles));
    RotatePoint(v, angles);
    EXPECT_TRUE(SameBits(v, viaCache));
}

TEST(ProjectPoint, PerspectiveFromFiveUnitsWithYUp) {
    struct Case {
        Vec3 point;
        float x, y;
    } cases[] = {{{1, 1, 0}, 1, -1}, {{1, 1, 5}, 0.5f, -0.5f}, {{0.5f, -0.5f, -2.5f}, 1, 1}};
    for (const Case& c : cases) {
        const ScreenPoint s = ProjectPoint(c.point);
        EXPECT_EQ(s.x, c.x);
        EXPECT_EQ(s.y, c.y);
    }
}

TEST(ProjectPoint, PointInTheEyePlaneRaisesTheFloatingPointError) {
    EXPECT_EQ(RaisedKind([] { ProjectPoint({0, 0, -5}); }), ErrorKind::FloatingPoint);
}

// Draws one segment with both rotated ends at depth z and returns its colour.
Rgb ColourAtDepthSum(float depthSum, float red, float green, float blue) {
    Tools3D tools;
    SegmentLog log;
    tools.log = &log;
    SetLineColour(tools, red, green, blue);
    const float z = depthSum / 2;
    DrawSegment(tools, {0, 0, z}, {0.1f, 0, z}, {0, 0, 0});
    return log.at(0).colour;
}

TEST(DrawSegment, DepthCueAndColourTable) {
    struct Case {
        float depthSum;
        Rgb white, axes, spine;
    } cases[] = {
        {-4, {255, 255, 255}, {72, 179, 255}, {255, 179, 72}},
        {-2, {255, 255, 255}, {51, 128, 255}, {255, 128, 51}},
        {-1, {204, 204, 204}, {41, 102, 204}, {204, 102, 41}},
        {0, {152, 152, 152}, {31, 76, 152}, {152, 76, 31}},  // 152.5 rounds to even; 0.2f is above 0.2
        {1, {101, 101, 101}, {20, 51, 101}, {101, 51, 20}},
        {2, {50, 50, 50}, {10, 25, 50}, {50, 25, 10}},
        {3, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    };
    const auto same = [](Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depthSum);
        EXPECT_TRUE(same(ColourAtDepthSum(c.depthSum, 1, 1, 1), c.white));
        EXPECT_TRUE(same(ColourAtDepthSum(c.depthSum, 0.2f, 0.5f, 1), c.axes));
        EXPECT_TRUE(same(ColourAtDepthSum(c.depthSum, 1, 0.5f, 0.2f), c.spine));
    }
}

TEST(DrawSegment, BrightnessIsKeptAndClampedAtZero) {
    Tools3D tools;
    DrawSegment(tools, {0, 0, 0.5f}, {0, 0, 0.5f}, {0, 0, 0});
    EXPECT_EQ(tools.Brightness, 101.25f);
    DrawSegment(tools, {0, 0, 2}, {0, 0, 2}, {0, 0, 0});
    EXPECT_EQ(tools.Brightness, 0.0f);
}

TEST(DrawSegment, RecordsTheArgumentsAsHandedAndTheirScreenPoints) {
    Tools3D tools;
    SegmentLog log;
    tools.log = &log;
    const Vec3 p{0.5f, 0.5f, 0.5f}, q{-0.5f, 0.5f, -0.5f}, angles{0.1f, 0.2f, 0.3f};
    DrawSegment(tools, p, q, angles);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_TRUE(SameBits(log[0].p, p));
    EXPECT_TRUE(SameBits(log[0].q, q));
    Vec3 rotated = p;
    RotatePoint(rotated, angles);
    EXPECT_EQ(log[0].x1, ProjectPoint(rotated).x);
    EXPECT_EQ(log[0].y1, ProjectPoint(rotated).y);
}

TEST(DrawSegment, HugeBrightnessOverflowsTheColourConversion) {
    Tools3D tools;
    tools.DepthGain = 1e6f;  // only reachable with altered depth settings
    EXPECT_EQ(RaisedKind([&] { DrawSegment(tools, {0, 0, -1}, {0, 0, -1}, {0, 0, 0}); }), ErrorKind::Overflow);
}

TEST(DrawAxes, ThirtyPiecesInBlueEndingWhite) {
    Tools3D tools;
    SegmentLog log;
    tools.log = &log;
    SetLineColour(tools, 1, 0.5f, 0.2f);
    DrawAxes(tools, 0, 0, 0);
    ASSERT_EQ(log.size(), 30u);
    const float starts[] = {-1.0f,           -0.800000012f, -0.600000024f, -0.400000036f, -0.200000033f,
                            -2.98023224e-8f, 0.199999973f,  0.399999976f,  0.599999964f,  0.799999952f};
    const float ends[] = {-0.800000012f, -0.600000024f, -0.400000036f, -0.200000033f, -3.27825553e-8f,
                          0.199999973f,  0.399999976f,  0.599999964f,  0.799999952f,  0.99999994f};
    for (int pass = 0; pass < 10; ++pass) {
        SCOPED_TRACE(pass);
        EXPECT_EQ(log[3 * pass].p.x, starts[pass]);
        EXPECT_EQ(log[3 * pass].q.x, ends[pass]);
        EXPECT_EQ(log[3 * pass + 1].p.y, starts[pass]);
        EXPECT_EQ(log[3 * pass + 2].q.z, ends[pass]);
        // X and Y pieces lie at depth 0.
        EXPECT_EQ(log[3 * pass].colour.red, 31);
        EXPECT_EQ(log[3 * pass + 1].colour.blue, 152);
    }
    EXPECT_GT(log[2].colour.blue, log[29].colour.blue);  // near z pieces brighter than far ones
    EXPECT_EQ(tools.LineRed, 1.0f);
    EXPECT_EQ(tools.LineGreen, 1.0f);
    EXPECT_EQ(tools.LineBlue, 1.0f);
}

TEST(Outline, SegmentOrderAndDirection) {
    Tools3D tools;
    SegmentLog log;
    tools.log = &log;
    DrawTriangle(tools, 1, 0, 0, 2, 0, 0, 3, 0, 0, 0, 0, 0);
    DrawQuad(tools, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0, 0, 0, 0);
    const std::pair<float, float> expected[] = {{1, 2}, {1, 3}, {3, 2}, {1, 2}, {1, 4}, {3, 2}, {3, 4}};
    ASSERT_EQ(log.size(), std::size(expected));
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].p.x, expected[i].first);
        EXPECT_EQ(log[i].q.x, expected[i].second);
    }
}

}  // namespace
