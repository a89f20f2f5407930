// Every row pinned by segments, polylines, time and digests, after the axes: catches rows swapped, any changed step.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "test_support.h"

namespace {

const ViewState View = ViewAt(0.3f, -0.5f, 0.7f, 1.3f);

struct Row {
    const char* listText;
    std::size_t segments;
    const char* polylines;  // runs of "polylines x points", in drawing order
    bool timed;
    std::uint64_t segmentDigest, pixelDigest;
};

const Row Rows[] = {
    {"Cube", 16, "16x2", false, 0x5cce078652e042b3ull, 0x2afda8dbf8097557ull},
    {"Tetrahedron", 9, "9x2", false, 0x84bc2c6cdac028d5ull, 0xbff7a93200e46709ull},
    {"Dodecahedron", 34, "34x2", false, 0x7a31931784f44b85ull, 0xfcb6a7905aae33b1ull},
    {"Sphere", 656, "21x16 11x32", true, 0x2e51ca86f4004bdeull, 0xccbd0a29a1f23950ull},
    {"Torus", 1353, "42x23 13x34", false, 0x56d058a2c936bebbull, 0x82cdd0c5e01e20fdull},
    {"Whirlpool", 630, "126x4 4x64", true, 0x6f2c6f5d4023810cull, 0x8388b3039c384319ull},
    {"Spring", 1136, "41x14 9x68", true, 0xbdb5351b1361e63dull, 0xfa955eef27ee4917ull},
    {"Dumble", 893, "21x32 11x23", true, 0x52a31aaead645e0ull, 0x330ead0a73f382c0ull},
    {"Liniar Helix", 812, "63x7 7x63", true, 0xe78eb80575e95ddull, 0x5932d348769d4c38ull},
    {"Circular Helix", 1226, "70x9 9x75", false, 0xdf4e41008273fe59ull, 0x9baecfc81c6376e4ull},
    {"Destorted Sphere", 656, "21x16 11x32", true, 0xa2de0785de96459bull, 0x32c7188ce755021aull},
    {"Sepal", 313, "1x314", false, 0x39fff88eb0c8f06eull, 0xf6a7766a215d633bull},
    {"Ball", 313, "1x314", false, 0xef396d45506fb1beull, 0xd59b1b35d4930c52ull},
    {"Hulos", 313, "1x314", false, 0x41b3a9389499703ull, 0x6496d597dadf4047ull},
    {"paraboloid", 538, "21x13 13x23", true, 0x4dc79618f7d3aa14ull, 0x6c9ba44a70ab8378ull},
    {"surface", 1960, "40x50", false, 0x57e5175d548622ddull, 0x164de6704479c826ull},
    {"Shell", 1534, "101x2 41x14 9x101", false, 0xc124c6a97a3e40c6ull, 0xe749476038ae68f5ull},
    {"Rosset", 2869, "189x2 76x14 9x189", false, 0xf1c61bb6fd7730dbull, 0xe5f8fc54d3fd4b20ull},
    {"Ripple", 1860, "10x27 40x41", true, 0x967b87afae14ab86ull, 0x25f4bdc899309795ull},
    {"Nodes", 70, "70x2", true, 0xcdfe66729740084cull, 0xefd5778893c28f37ull},
    {"Web", 415, "2x11 1x9 1x10 2x11 2x10 2x11 8x41", false, 0x34bf66385b3495c4ull, 0x2f924378aaf6f7dcull},
    {"Sphere-Torus Transformation", 1302, "42x32", true, 0x54f0090133e3200cull, 0x90c4944b20ee48eeull},
    {"Rossler Chaos", 400000, "20x20001", false, 0x50c59d7c0e5ad082ull, 0x1bba483ab20ab2caull},
};

// Runs of equal polylines ("21x16 11x32"): a segment continues one when its q is the last p, bit for bit.
std::string Polylines(const SegmentLog& log) {
    std::vector<int> points;  // per polyline
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (i == 0 || !SameBits(log[i].q, log[i - 1].p)) points.push_back(1);
        ++points.back();
    }
    std::string runs;
    for (std::size_t i = 0, n = 1; i < points.size(); ++i, ++n)
        if (i + 1 == points.size() || points[i + 1] != points[i])
            runs += (runs.empty() ? "" : " ") + std::to_string(n) + "x" + std::to_string(points[i]), n = 0;
    return runs;
}

TEST(Catalogue, EveryRowDrawsItsOwnShapeAfterTheAxes) {
    for (std::size_t i = 0; i < std::size(Rows); ++i) {
        const Row& row = Rows[i];
        SCOPED_TRACE(row.listText);
        EXPECT_EQ(FindStructure(row.listText), int(i) + 1);
        Drawing logged(true), later(true), plain(false);
        logged.scene.showAxis = true;
        Draw(logged, row.listText, View);
        Draw(later, row.listText, ViewAt(View.AngleX, View.AngleY, View.AngleZ, 2.9f));
        Draw(plain, row.listText, View);
        ASSERT_EQ(logged.log.size(), 30 + row.segments);
        const SegmentLog axes(logged.log.begin(), logged.log.begin() + 30),
            shape(logged.log.begin() + 30, logged.log.end());
        EXPECT_EQ(LogDigest(axes), 0x38af932945c26612ull) << std::hex << "0x" << LogDigest(axes);
        EXPECT_EQ(Polylines(shape), row.polylines);
        EXPECT_EQ(LogDigest(later.log) != LogDigest(shape), row.timed);
        EXPECT_EQ(LogDigest(shape), row.segmentDigest) << std::hex << "0x" << LogDigest(shape);
        EXPECT_EQ(PixelDigest(plain.surface), row.pixelDigest) << std::hex << "0x" << PixelDigest(plain.surface);
        const Tools3D& tools = logged.scene.tools;
        EXPECT_EQ(std::tuple(tools.LineRed, tools.LineGreen, tools.LineBlue), std::tuple(1.f, 1.f, 1.f));
    }
}

// What the shapes must be whatever the digests say: every point on its surface.
TEST(Catalogue, PointsLieOnTheirSurfaces) {
    const auto radius = [](Vec3 p) { return std::hypot(double(p.x), double(p.y), double(p.z)); };
    const auto tube = [](Vec3 p) { return std::hypot(std::hypot(double(p.x), double(p.y)) - 0.7, double(p.z)); };
    const auto ellipsoid = [](Vec3 p) {
        return (double(p.x) * p.x + double(p.y) * p.y) / 0.25 + double(p.z) * p.z / 0.16;
    };
    const auto saddle = [](Vec3 p) { return double(p.z) - float(double(p.x) * p.y); };
    const auto ring = [](Vec3 p) { return std::hypot(double(p.y), double(p.z)); };
    const float halfPi = float(std::numbers::pi / 2);
    const struct {
        const char* listText;
        float time;
        double (*shape)(Vec3);
        double value;
    } cases[] = {
        {"Sphere", 0, radius, 0.6},
        {"Sphere", halfPi, radius, 0.9},
        {"Torus", 0, tube, 0.2},
        {"Ball", 0, ellipsoid, 1},
        {"surface", 0, saddle, 0},
        {"Sphere-Torus Transformation", 0, radius, 0.3},
        {"Sphere-Torus Transformation", halfPi, tube, 0.2},
        {"paraboloid", INFINITY, ring, 0.1},  // sin fails: k keeps its 0, every ring is the waist
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listText);
        Drawing d(true);
        Draw(d, c.listText, ViewAt(0.4f, 0.2f, 0, c.time));
        ASSERT_FALSE(d.log.empty());
        for (const SegmentRecord& s : d.log) {
            ASSERT_NEAR(c.shape(s.p), c.value, 1e-6);
            ASSERT_NEAR(c.shape(s.q), c.value, 1e-6);
        }
    }
}

// Catches Nodes not reseeding its own sequence, and Rossler restarting the shared one.
TEST(Catalogue, NodesStaysAndRosslerMovesOn) {
    Drawing d(true);
    const auto redraw = [&](const char* listText) {
        d.log.clear();
        Draw(d, listText, View);
        return LogDigest(d.log);
    };
    const std::uint64_t nodes = redraw("Nodes"), rossler = redraw("Rossler Chaos");
    EXPECT_NE(redraw("Rossler Chaos"), rossler);
    EXPECT_EQ(redraw("Nodes"), nodes);
    EXPECT_EQ(redraw("Rossler Chaos"), rossler);
}

// Catches the paraboloid stopping at a failing segment (colour overflow) or the surface swallowing it.
TEST(Catalogue, ParaboloidSkipsFailingSegmentsTheSurfaceStops) {
    Drawing paraboloid(true), surface(true);
    paraboloid.scene.tools.DepthRange = surface.scene.tools.DepthRange = 1e-6f;
    EXPECT_NO_THROW(Draw(paraboloid, "paraboloid", ViewAt(0, 0, 0, 0)));
    EXPECT_EQ(paraboloid.log.size(), 275u);  // of 538
    EXPECT_EQ(RaisedKind([&] { Draw(surface, "surface", ViewAt(0, 0, 0, 0)); }), ErrorKind::Overflow);
}

}  // namespace
