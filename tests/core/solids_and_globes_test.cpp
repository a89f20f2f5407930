// Cube, Tetrahedron, "Dodecahedron", Sphere and Torus.
#include <gtest/gtest.h>

#include <cmath>

#include "polylines.h"
#include "recording.h"

namespace {

struct CountCase {
    void (*generator)(Scene&);
    const char* name;
    std::vector<int> chains;  // polyline lengths in drawing order; empty for the solids
    size_t total;
};

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(SolidsAndGlobes, SegmentCountsAndCurvesAtAnyView) {
    const CountCase cases[] = {
        {DrawCube, "Cube", {}, 16},
        {DrawTetrahedron, "Tetrahedron", {}, 9},
        {DrawDodecahedron, "Dodecahedron", {}, 34},
        {DrawSphere, "Sphere", Concat(Runs(21, 15), Runs(11, 31)), 656},
        {DrawTorus, "Torus", Concat(Runs(42, 22), Runs(13, 33)), 1353},
    };
    for (const CountCase& c : cases) {
        for (ViewState view : {ViewAt(0, 0, 0, 0), ViewAt(1.3f, -0.4f, 2.2f, 4.1f)}) {
            SCOPED_TRACE(c.name);
            const SegmentLog log = RecordGenerator(c.generator, view);
            EXPECT_EQ(log.size(), c.total);
            if (!c.chains.empty()) {
                EXPECT_EQ(ChainLengths(log, 0, log.size()), c.chains);
            }
        }
    }
}

TEST(SolidsAndGlobes, OnlyTheSphereChangesWithTime) {
    for (auto generator : {DrawCube, DrawTetrahedron, DrawDodecahedron, DrawTorus}) {
        const SegmentLog a = RecordGenerator(generator, ViewAt(0.5f, 0.5f, 0, 0));
        const SegmentLog b = RecordGenerator(generator, ViewAt(0.5f, 0.5f, 0, 2.5f));
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(SameBits(a[i].p, b[i].p) && SameBits(a[i].q, b[i].q));
    }
    EXPECT_NE(RecordGenerator(DrawSphere, ViewAt(0, 0, 0, 0))[0].p.z,
              RecordGenerator(DrawSphere, ViewAt(0, 0, 0, 1))[0].p.z);
}

TEST(SolidsAndGlobes, CubeSeenHeadOnIsTwoNestedSquares) {
    const SegmentLog log = RecordGenerator(DrawCube);
    // First quad: the far face z = +0.5; second quad: the near face z = -0.5.
    EXPECT_NEAR(log[0].x1, 0.5 * 5 / 5.5, 1e-6);
    EXPECT_NEAR(log[4].x1, 0.5 * 5 / 4.5, 1e-6);
    EXPECT_GT(log[4].colour.red, log[0].colour.red);
}

TEST(SolidsAndGlobes, TetrahedronApexBelowItsBase) {
    const SegmentLog log = RecordGenerator(DrawTetrahedron);
    // Segment 4 is D-B: D is the apex at model y = -0.5, drawn below the centre.
    EXPECT_GT(log[3].y1, 0.0f);
    EXPECT_LT(log[0].y1, 0.0f);
}

TEST(SolidsAndGlobes, DodecahedronApexesNearTheCentreAndShadedByDepth) {
    const SegmentLog log = RecordGenerator(DrawDodecahedron);
    ASSERT_EQ(log.size(), 34u);
    // Triangles 5..10 follow the 16 cube segments; the apex is each triangle's third corner.
    for (int triangle = 0; triangle < 6; ++triangle) {
        const SegmentRecord& toApex = log[16 + 3 * triangle + 1];  // P1 to P3
        EXPECT_LT(std::fabs(toApex.x2), 0.002f);
        EXPECT_LT(std::fabs(toApex.y2), 0.002f);
    }
    const Rgb toNorth = log[16 + 1].colour, toSouth = log[16 + 9 + 1].colour;
    EXPECT_LT(toNorth.red, log[0].colour.red);  // darker than the far cube face
    EXPECT_GT(toSouth.red, log[4].colour.red);  // brighter than the near cube face
}

float LargestRadius(const SegmentLog& log) {
    float largest = 0;
    for (const auto& s : log) largest = std::max(largest, DistanceFromOrigin(s.p));
    return largest;
}

TEST(SolidsAndGlobes, SphereRadiusPulsesWithTime) {
    struct Case {
        float time, radius;
    } cases[] = {{0, 0.6f}, {1.5707964f, 0.9f}, {4.712389f, 0.3f}};
    for (const Case& c : cases) {
        const SegmentLog log = RecordGenerator(DrawSphere, ViewAt(0, 0, 0, c.time));
        for (const auto& s : log) EXPECT_NEAR(DistanceFromOrigin(s.p), c.radius, 1e-6);
    }
}

TEST(SolidsAndGlobes, SphereMeridiansStartBesideTheNorthPole) {
    const SegmentLog log = RecordGenerator(DrawSphere);
    const float r = 0.6f;
    EXPECT_NEAR(log[0].q.z, r * std::cos(0.001), 1e-7);  // second argument: θ = 0.001
    EXPECT_NEAR(log[0].p.z, r * std::cos(0.201), 1e-7);  // first argument: θ = 0.201
    EXPECT_NEAR(LargestRadius(log), r, 1e-6);
    // The last meridian point stops at θ = 3.001, short of the south pole.
    EXPECT_NEAR(log[314].p.z, r * std::cos(3.001), 1e-6);
}

TEST(SolidsAndGlobes, TorusPointsLieOnTheTube) {
    for (const auto& s : RecordGenerator(DrawTorus)) {
        const double ring = std::hypot(double(s.p.x), double(s.p.y)) - 0.7;
        EXPECT_NEAR(std::hypot(ring, double(s.p.z)), 0.2, 1e-6);
    }
}

}  // namespace
