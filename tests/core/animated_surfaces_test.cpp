#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "polylines.h"
#include "recording.h"

namespace {

constexpr float HalfPi = float(std::numbers::pi / 2);
constexpr float Pi = float(std::numbers::pi);
constexpr float ThreeHalfPi = float(3 * std::numbers::pi / 2);

struct GridCase {
    const char* name;
    void (*generator)(Scene&);
    int curvesA, segmentsA, curvesB, segmentsB, total;
};

const GridCase Grids[] = {
    {"Whirlpool", DrawWhirlpool, 126, 3, 4, 63, 630},
    {"Spring", DrawSpring, 41, 13, 9, 67, 1136},
    {"Dumble", DrawDumble, 21, 31, 11, 22, 893},
    {"Liniar Helix", DrawLinearHelix, 63, 6, 7, 62, 812},
    {"Sphere-Torus", DrawSphereTorus, 21, 31, 21, 31, 1302},
};

const ViewState Views[] = {ViewAt(0, 0, 0, 0), ViewAt(0.9f, -2.3f, 1.4f, 4.0f)};

double Radial(Vec3 p) { return std::hypot(double(p.x), double(p.y)); }

// Every point a log holds: the older end of each segment and the newer one.
template <class Check>
void ForEachPoint(const SegmentLog& log, Check&& check) {
    for (const SegmentRecord& s : log) {
        check(s.q);
        check(s.p);
    }
}

// Catches a loop with one pass more or fewer, curves joined to each other,
// and segments handed over with the old point first, whatever the time.
TEST(AnimatedSurfaces, FamiliesHaveTheirExactCurvesAndSegments) {
    for (const GridCase& c : Grids) {
        EXPECT_EQ(c.curvesA * c.segmentsA + c.curvesB * c.segmentsB, c.total) << c.name;
        for (const ViewState& view : Views) {
            SCOPED_TRACE(c.name);
            const SegmentLog log = RecordGenerator(c.generator, view);
            ASSERT_EQ(log.size(), std::size_t(c.total));
            const std::size_t familyAEnd = c.curvesA * c.segmentsA;
            EXPECT_EQ(ChainLengths(log, 0, familyAEnd), Runs(c.curvesA, c.segmentsA));
            EXPECT_EQ(ChainLengths(log, familyAEnd, log.size()), Runs(c.curvesB, c.segmentsB));
        }
    }
}

// Catches a wrong radius loop: the outermost ring lies at r = 0.601.
TEST(Whirlpool, OutermostRadiusIsPointSixZeroOne) {
    double widest = 0;
    ForEachPoint(RecordGenerator(DrawWhirlpool), [&](Vec3 p) { widest = std::max(widest, Radial(p)); });
    EXPECT_NEAR(widest, 0.601, 1e-6);
}

// With sin(time) = 0 the crests are straight, so along a spoke the height grows
// in proportion to the radius; otherwise the crests curve.
TEST(Whirlpool, SpokesAreStraightOnlyWhenTheTwistVanishes) {
    const auto largestBend = [](float time) {
        const SegmentLog log = RecordGenerator(DrawWhirlpool, ViewAt(0, 0, 0, time));
        double bend = 0;
        for (int spoke = 0; spoke < 126; ++spoke) {
            const Vec3 first = log[spoke * 3].q;
            const double slope = first.z / Radial(first);
            for (int k = 0; k < 3; ++k) {
                const Vec3 p = log[spoke * 3 + k].p;
                bend = std::max(bend, std::abs(p.z / Radial(p) - slope));
            }
        }
        return bend;
    };
    EXPECT_LT(largestBend(0), 1e-4);
    EXPECT_GT(largestBend(1), 0.1);
}

// Catches a wrong pitch factor: the first cross-section starts (v = 0.001) at
// the centre line's lowest point, z = -10.1 * k / 6.283.
TEST(Spring, LowestCentrePointFollowsThePitchFactor) {
    const struct {
        float time;
        double k;
    } cases[] = {{0, 0.3}, {HalfPi, 0.4}, {ThreeHalfPi, 0.2}};
    for (const auto& c : cases) {
        const Vec3 start = RecordGenerator(DrawSpring, ViewAt(0, 0, 0, c.time))[0].q;
        EXPECT_NEAR(start.z, -10.1 * c.k / 6.283, 1e-4) << c.time;
        EXPECT_NEAR(Radial(start), 0.25, 1e-4) << c.time;  // centre radius 0.2 + tube radius 0.05
    }
}

// Catches a wrong width factor: the widest ring has radius a.
TEST(Dumble, WidthFactorFollowsTheTime) {
    const struct {
        float time;
        double width;
    } cases[] = {{0, 0.3}, {HalfPi, 0.4}, {ThreeHalfPi, 0.2}};
    for (const auto& c : cases) {
        double widest = 0;
        ForEachPoint(RecordGenerator(DrawDumble, ViewAt(0, 0, 0, c.time)),
                     [&](Vec3 p) { widest = std::max(widest, Radial(p)); });
        EXPECT_NEAR(widest, c.width, 5e-4) << c.time;
    }
}

// The profile starts at the bottom pole, crosses the axis at the waist (below
// it the points lie on the far side: on the first profile, azimuth 0.001, x
// has the sign of z) and stops short of the top pole at radius 0.08 a.
TEST(Dumble, ProfileRunsFromPoleThroughWaist) {
    const SegmentLog log = RecordGenerator(DrawDumble);
    EXPECT_LT(Radial(log[0].q), 1e-3);
    EXPECT_NEAR(Radial(log[30].p), 0.08 * 0.3, 1e-3);
    for (int i = 0; i < 31; ++i) {
        const Vec3 p = log[i].p;
        ASSERT_NE(p.z, 0.0f);
        EXPECT_EQ(p.x < 0, p.z < 0) << i;
    }
}

// At time 0 the twist is about 1.001: the lowest rung (z = -0.8) is turned by
// about -6.289 rad, just past a full turn, so it lies near the X axis.
TEST(LinearHelix, LowestRungAtTimeZero) {
    const SegmentLog log = RecordGenerator(DrawLinearHelix);
    for (int i = 0; i < 6; ++i) {
        const Vec3 p = log[i].p;
        EXPECT_FLOAT_EQ(p.z, -0.8f);
        EXPECT_NEAR(std::atan(double(p.y) / p.x), -6.289 + 2 * std::numbers::pi, 5e-4) << i;  // rung direction
    }
    double highest = -1;
    ForEachPoint(log, [&](Vec3 p) { highest = std::max(highest, double(p.z)); });
    EXPECT_NEAR(highest, 0.779, 5e-4);
}

// When sin(time + 1.57) is -0.001 the twist vanishes and the helicoid is a
// flat strip in the XZ plane.
TEST(LinearHelix, FlatStripWhenTheTwistVanishes) {
    const float time = float(std::numbers::pi + std::asin(0.001) - 1.57);
    ForEachPoint(RecordGenerator(DrawLinearHelix, ViewAt(0, 0, 0, time)),
                 [](Vec3 p) { ASSERT_LT(std::abs(p.y), 1e-5); });
}

// A sphere of radius 0.3 at time 0, the same sphere mirrored through the
// origin at time pi.
TEST(SphereTorus, SphereAtTimeZeroAndMirroredAtPi) {
    const SegmentLog sphere = RecordGenerator(DrawSphereTorus);
    ForEachPoint(sphere, [](Vec3 p) { ASSERT_NEAR(DistanceFromOrigin(p), 0.3, 1e-6); });
    const SegmentLog mirrored = RecordGenerator(DrawSphereTorus, ViewAt(0, 0, 0, Pi));
    ASSERT_EQ(mirrored.size(), sphere.size());
    for (std::size_t i = 0; i < sphere.size(); ++i) {
        ASSERT_NEAR(mirrored[i].p.x, -sphere[i].p.x, 1e-6) << i;
        ASSERT_NEAR(mirrored[i].p.y, -sphere[i].p.y, 1e-6) << i;
        ASSERT_NEAR(mirrored[i].p.z, -sphere[i].p.z, 1e-6) << i;
    }
}

// The torus at pi/2: centre circle 0.7, tube radius 0.2.
TEST(SphereTorus, TorusAtHalfPi) {
    ForEachPoint(RecordGenerator(DrawSphereTorus, ViewAt(0, 0, 0, HalfPi)),
                 [](Vec3 p) { ASSERT_NEAR(std::hypot(Radial(p) - 0.7, double(p.z)), 0.2, 1e-6); });
}

}  // namespace
