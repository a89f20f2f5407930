#include "tubes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "polylines.h"
#include "recording.h"

namespace {

struct TubeCase {
    const char* name;
    void (*generator)(Scene&);
    TubeCurve curve;
    int spine, rings, ringSegments, lines, lineSegments;
    float lastSpineT;
};

const TubeCase Tubes[] = {
    {"Shell", DrawShell, ShellCurve, 101, 41, 13, 9, 100, 19.9000034f},
    {"Rosset", DrawRosset, RossetCurve, 189, 76, 13, 9, 188, 37.5000687f},
};

const ViewState Views[] = {ViewAt(0, 0, 0, 0), ViewAt(0.9f, -2.3f, 1.4f, 4.0f)};

int Total(const TubeCase& c) { return c.spine + c.rings * c.ringSegments + c.lines * c.lineSegments; }

// Catches a loop bound off by one pass, curves joined to each other, and
// segments handed over with the old point first.
TEST(Tubes, SpineRingsAndLinesHaveTheirExactSegmentCounts) {
    EXPECT_EQ(Total(Tubes[0]), 1534);
    EXPECT_EQ(Total(Tubes[1]), 2869);
    for (const TubeCase& c : Tubes) {
        for (const ViewState& view : Views) {
            SCOPED_TRACE(c.name);
            const SegmentLog log = RecordGenerator(c.generator, view);
            ASSERT_EQ(log.size(), std::size_t(Total(c)));
            const std::size_t ringsEnd = c.spine + c.rings * c.ringSegments;
            EXPECT_EQ(ChainLengths(log, c.spine, ringsEnd), Runs(c.rings, c.ringSegments));
            EXPECT_EQ(ChainLengths(log, ringsEnd, log.size()), Runs(c.lines, c.lineSegments));
        }
    }
}

// Catches a spine loop over exact decimals (one segment more) or drawn from
// the wrong end.
TEST(Tubes, SpineRunsFromMinusPointOneToItsLastAccumulatedParameter) {
    for (const TubeCase& c : Tubes) {
        SCOPED_TRACE(c.name);
        const SegmentLog log = RecordGenerator(c.generator);
        EXPECT_TRUE(SameBits(log[0].p, c.curve(-0.1f).c));
        EXPECT_TRUE(SameBits(log[c.spine - 1].p, c.curve(c.lastSpineT).c));
    }
    const SegmentLog shell = RecordGenerator(DrawShell);
    EXPECT_TRUE(SameBits(shell[100].q, ShellCurve(20.1000042f).c));
}

// Catches a colour left orange for the next structure, or a spine drawn white.
TEST(Tubes, SpineIsOrangeAndTheColourEndsWhite) {
    for (const TubeCase& c : Tubes) {
        SCOPED_TRACE(c.name);
        Recording r;
        r.scene.view = Views[1];
        c.generator(r.scene);
        EXPECT_EQ(r.scene.tools.LineRed, 1.0f);
        EXPECT_EQ(r.scene.tools.LineGreen, 1.0f);
        EXPECT_EQ(r.scene.tools.LineBlue, 1.0f);
        for (std::size_t i = 0; i < r.log.size(); ++i) {
            const Rgb colour = r.log[i].colour;
            ASSERT_GT(colour.red, 20) << i;
            if (i < std::size_t(c.spine)) {
                EXPECT_NEAR(colour.green, colour.red * 0.5, 1.0) << i;
                EXPECT_NEAR(colour.blue, colour.red * 0.2, 1.0) << i;
            } else {
                EXPECT_EQ(colour.green, colour.red) << i;
                EXPECT_EQ(colour.blue, colour.red) << i;
            }
        }
    }
}

// Catches a dependence on the animation time.
TEST(Tubes, DrawTheSameAtAnyTime) {
    for (const TubeCase& c : Tubes) {
        SCOPED_TRACE(c.name);
        const SegmentLog early = RecordGenerator(c.generator, ViewAt(0.3f, 0.2f, 0.1f, 0));
        const SegmentLog late = RecordGenerator(c.generator, ViewAt(0.3f, 0.2f, 0.1f, 2.5f));
        ASSERT_EQ(early.size(), late.size());
        for (std::size_t i = 0; i < early.size(); ++i)
            ASSERT_TRUE(SameBits(early[i].p, late[i].p) && SameBits(early[i].q, late[i].q)) << i;
    }
}

TEST(TubeCurves, StartPointsAndRadii) {
    const CurvePoint shell0 = ShellCurve(0);
    EXPECT_TRUE(SameBits(shell0.c, MakeVec(0, 0.05f, -0.5f)));
    EXPECT_EQ(shell0.r, 0.0f);
    EXPECT_FLOAT_EQ(ShellCurve(-0.1f).r, -0.001f);  // negative before the nominal start

    const CurvePoint rosset0 = RossetCurve(0);
    EXPECT_TRUE(SameBits(rosset0.c, MakeVec(0.3f, 0, 0)));
    EXPECT_EQ(rosset0.r, 0.0f);
}

// Catches a frame turned the wrong way about the tangent or a normalised one
// (the ring radius is 0.7071 r on the Shell).
TEST(TubeCurves, ShellTubePointAtTen) {
    const Vec3 centre = ShellCurve(10).c;
    EXPECT_NEAR(centre.x, -0.02720, 1e-5);
    EXPECT_NEAR(centre.y, -0.04195, 1e-5);
    EXPECT_NEAR(centre.z, 0, 1e-6);

    const Vec3 p = TubePoint(ShellCurve, 10, 0.001f);
    EXPECT_NEAR(p.x, -0.06566, 1e-5);
    EXPECT_NEAR(p.y, -0.10130, 1e-5);
    EXPECT_NEAR(p.z, 0.00005, 1e-5);
    EXPECT_NEAR(VecLength(VecSub(p, centre)), 0.0707, 1e-4);
}

}  // namespace
