// Shape facts of the helix, distorted sphere, single curves, Ripple and Web
// that a wrong formula or a wrong rounding would break.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "polylines.h"
#include "recording.h"
#include "ripple_web.h"

namespace {

void ExpectNear(Vec3 v, double x, double y, double z, double tolerance) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

std::vector<Vec3> Points(const SegmentLog& log) {
    std::vector<Vec3> points;
    for (const Polyline& line : SplitPolylines(log)) points.insert(points.end(), line.begin(), line.end());
    return points;
}

double Azimuth(Vec3 p) { return std::atan2(double(p.y), double(p.x)); }
double PolarAngle(Vec3 p) { return std::atan2(std::hypot(double(p.x), double(p.y)), double(p.z)); }

// Catches m·θ and the 0.7 offset applied in the wrong place.
TEST(CircularHelix, FirstRungRunsAlongTheXAxis) {
    const Polyline rung = SplitPolylines(RecordGenerator(DrawCircularHelix)).front();
    ExpectNear(rung.front(), 0.39, 0.00039, -0.00093, 0.00001);
    ExpectNear(rung.back(), 0.95, 0.00095, 0.00075, 0.00001);
}

// Catches a wrong radius wave: it must stay within a tenth of 0.6.
TEST(DistortedSphere, RadiusStaysWithinTheWaveBounds) {
    for (float time : {0.0f, 1.0f, 2.5f, 4.0f}) {
        for (Vec3 p : Points(RecordGenerator(DrawDistortedSphere, ViewAt(0, 0, 0, time)))) {
            EXPECT_GE(DistanceFromOrigin(p), 0.54f);
            EXPECT_LE(DistanceFromOrigin(p), 0.66f);
        }
    }
}

// Catches loop ends: the +z pole is reached within 0.001, the -z cap is left
// open from 3.001, and every parallel stops at φ = 6.201.
TEST(DistortedSphere, PolarAndAzimuthalLoopsEndWhereStated) {
    const std::vector<Polyline> lines = SplitPolylines(RecordGenerator(DrawDistortedSphere, ViewAt(0, 0, 0, 1.2f)));
    for (int m = 0; m < 21; ++m) {
        EXPECT_NEAR(PolarAngle(lines[m].front()), 0.001, 1e-5);
        EXPECT_NEAR(PolarAngle(lines[m].back()), 3.001, 1e-5);
    }
    for (int p = 21; p < 32; ++p) {
        EXPECT_NEAR(Azimuth(lines[p].front()), 0.001, 1e-5);
        EXPECT_NEAR(Azimuth(lines[p].back()) + 2 * M_PI, 6.201, 1e-5);
    }
}

TEST(Sepal, FirstPointAndBounds) {
    const std::vector<Vec3> points = Points(RecordGenerator(DrawSepal));
    ExpectNear(points.front(), 0.003, 0.000003, 0.39997, 2e-6);
    for (Vec3 p : points) {
        EXPECT_LE(std::hypot(double(p.x), double(p.y)), 0.5 + 1e-7);
        EXPECT_LE(std::abs(p.z), 0.4f);
    }
}

// Catches a swapped factor: every point lies on the ellipsoid.
TEST(Ball, PointsLieOnTheEllipsoidAndPassThePolesTwentyTimes) {
    const std::vector<Vec3> points = Points(RecordGenerator(DrawBall));
    int polePasses = 0;
    bool nearPole = false;
    for (Vec3 p : points) {
        const double x = p.x, y = p.y, z = p.z;
        EXPECT_NEAR((x * x + y * y) / 0.25 + z * z / 0.16, 1.0, 1e-6);
        const bool near = std::abs(z) > 0.39;
        if (near && !nearPole) ++polePasses;
        nearPole = near;
    }
    EXPECT_EQ(polePasses, 20);
}

TEST(Hulos, FirstPointAndBox) {
    const std::vector<Vec3> points = Points(RecordGenerator(DrawHulos));
    ExpectNear(points.front(), 0.0005, 0.0012, 0.0024, 1e-6);
    for (Vec3 p : points) {
        EXPECT_LE(std::abs(p.x), 0.5f);
        EXPECT_LE(std::abs(p.y), 0.2f);
        EXPECT_LE(std::abs(p.z), 0.3f);
    }
}

// Catches a wrong sign or order in the damping: 0.08 at the centre, about
// 0.0128 at the rim ρ = 0.781.
TEST(Ripple, AmplitudeAtCentreAndRim) {
    const std::vector<Polyline> atZero = SplitPolylines(RecordGenerator(DrawRipple));
    EXPECT_NEAR(atZero.front().front().z, 0.08, 1e-5);
    double rimAmplitude = 0;
    for (int step = 0; step < 70; ++step) {  // a little over one period of the wave
        const std::vector<Polyline> lines = SplitPolylines(RecordGenerator(DrawRipple, ViewAt(0, 0, 0, step * 0.01f)));
        const Polyline& rim = lines.back();
        EXPECT_NEAR(DistanceFromOrigin(MakeVec(rim.front().x, rim.front().y, 0)), 0.781f, 1e-6);
        for (Vec3 p : rim) rimAmplitude = std::max(rimAmplitude, std::abs(double(p.z)));
    }
    EXPECT_NEAR(rimAmplitude, 0.0128, 0.0001);
}

// Catches time leaking into x or y: only z moves.
TEST(Ripple, TimeMovesOnlyZ) {
    const SegmentLog a = RecordGenerator(DrawRipple, ViewAt(0, 0, 0, 0));
    const SegmentLog b = RecordGenerator(DrawRipple, ViewAt(0, 0, 0, 0.9f));
    ASSERT_EQ(a.size(), b.size());
    bool zMoved = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].p.x, b[i].p.x);
        EXPECT_EQ(a[i].p.y, b[i].p.y);
        zMoved = zMoved || a[i].p.z != b[i].p.z;
    }
    EXPECT_TRUE(zMoved);
}

struct Spoke {
    float theta, end;
    int points;
    float lastRho;
};

// Catches E(θ) computed per point or with the wrong rounding: spoke 3 must
// stop at 0.801 and spoke 7 reach 0.901.
TEST(Web, SpokeTable) {
    const Spoke table[] = {{0.001f, 1.0999997f, 11, 1.001f},    {0.6293f, 1.0060439f, 11, 1.001f},
                           {1.2576001f, 0.9007598f, 9, 0.801f}, {1.8859f, 0.9814846f, 10, 0.901f},
                           {2.5142f, 1.0969133f, 11, 1.001f},   {3.1424999f, 1.0306945f, 11, 1.001f},
                           {3.7707999f, 0.906944f, 10, 0.901f}, {4.3990998f, 0.9576111f, 10, 0.901f},
                           {5.0274f, 1.087729f, 11, 1.001f},    {5.6557002f, 1.0534136f, 11, 1.001f}};
    std::vector<float> thetas;
    ForFloat({0.001f, 6.283f, 0.6283f}, [&](float theta) { thetas.push_back(theta); });
    ASSERT_EQ(thetas.size(), std::size(table));
    for (std::size_t i = 0; i < thetas.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_FLOAT_EQ(thetas[i], table[i].theta);
        const FloatRange radii = WebSpokeRadii(thetas[i]);
        EXPECT_FLOAT_EQ(radii.end, table[i].end);
        int points = 0;
        float last = 0;
        ForFloat(radii, [&](float rho) { ++points, last = rho; });
        EXPECT_EQ(points, table[i].points);
        EXPECT_NEAR(last, table[i].lastRho, 1e-6);
    }
}

// Catches a wrong sag or tilt: at θ = 0.001 g is almost 1 and z ≈ 0.187·ρ.
TEST(Web, ThreadsStartNearlyFlatAndTilted) {
    const std::vector<Polyline> lines = SplitPolylines(RecordGenerator(DrawWeb));
    ASSERT_EQ(lines.size(), 18u);
    for (int t = 0; t < 8; ++t) {
        const double rho = 0.001 + 0.1 * t;
        EXPECT_NEAR(lines[10 + t].front().z, 0.187 * rho, 0.0005 * rho);
    }
}

}  // namespace
