// The fast route against the plain one: same segments bit for bit, pixels, errors and random source.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "catalogue.h"
#include "generators.h"
#include "outline.h"
#include "polyline.h"
#include "rossler.h"
#include "test_support.h"

namespace {

// `d` drew what `plain` drew by the plain route: records (if logged), pixels on both canvases, random source,
// last brightness.
void ExpectDrewAsPlain(const Drawing& d, const Drawing& plain) {
    EXPECT_NE(d.scene.tools.kernels, plain.scene.tools.kernels);
    EXPECT_TRUE(!d.scene.tools.log || LogDigest(d.log) == LogDigest(plain.log));
    EXPECT_EQ(d.scene.tools.Brightness, plain.scene.tools.Brightness);
    EXPECT_EQ(d.surface.pixels, plain.surface.pixels);
    EXPECT_TRUE(d.display.pixels == plain.display.pixels);
    EXPECT_EQ(d.scene.random.state, plain.scene.random.state);
}

// RedrawScene as it would be without any of the shortcuts.
void PlainRedraw(Scene& scene) {
    if (scene.showAxis) DrawAxes(scene.tools, scene.view.AngleX, scene.view.AngleY, scene.view.AngleZ);
    if (scene.view.StructureIndex == *FindStructure("Rossler Chaos")) return DrawRosslerSequential(scene);
    Catalogue()[scene.view.StructureIndex - 1].generator(scene);
}

class EveryStructure : public testing::TestWithParam<int> {};

// Catches wrong reused ends, raster or Rossler order, and a second canvas unlike its scale drawn alone.
TEST_P(EveryStructure, FastRouteDrawsWhatThePlainRouteDraws) {
    const std::tuple<float, float, float, float, bool, double> views[] = {
        {0, 0, 0, 0, true, 2}, {0.4f, 0.6f, 0.2f, 1.3f, true, 1.5}, {2.5f, -1.2f, 4.0f, 15.708f, false, 3}};
    for (const auto& [ax, ay, az, time, axes, scale] : views) {  // angles, time, axes shown, second canvas's scale
        SCOPED_TRACE(std::string(Catalogue()[GetParam() - 1].listText) + " at view " + std::to_string(ax));
        Drawing fast(true), quiet(false), plain(true, false), alone(false, true, scale);
        for (Drawing* d : {&fast, &quiet, &plain, &alone}) {
            d->scene.view = {ax, ay, az, time, std::int16_t(GetParam())};
            d->scene.showAxis = axes;
            if (d != &alone) d->AlsoDrawAt(scale);
        }
        for (int redraw = 0; redraw < 2; ++redraw)  // the second continues the random source
            RedrawScene(fast.scene), RedrawScene(quiet.scene), PlainRedraw(plain.scene), RedrawScene(alone.scene);
        ExpectDrewAsPlain(fast, plain), ExpectDrewAsPlain(quiet, plain);
        EXPECT_TRUE(plain.display.pixels == alone.surface.pixels);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryStructure, testing::Range(1, CatalogueSize + 1));

// A random walk of `count` points, point `odd` replaced by `oddPoint`.
std::vector<Vec3> Wander(int count, float reach, unsigned seed, int odd = -1, Vec3 oddPoint = {}) {
    std::mt19937 engine(seed);
    std::uniform_real_distribution<float> step(-reach, reach);
    std::vector<Vec3> points;
    for (Vec3 at = MakeVec(0.1f, -0.2f, 0.05f); int(points.size()) < count;) {
        points.push_back(int(points.size()) == odd ? oddPoint : at);
        at = MakeVec(at.x + step(engine), at.y + step(engine), at.z + step(engine));
    }
    return points;
}

// `count` points on a circle of radius `reach` about the centre, facing the eye.
std::vector<Vec3> Ring(int count, float reach) {
    std::vector<Vec3> points;
    for (int i = 0; i < count; ++i)
        points.push_back(MakeVec(reach * std::cos(0.3f * float(i)), reach * std::sin(0.3f * float(i)), 0));
    return points;
}

struct ChainCase {
    const char* name;
    std::vector<Vec3> points;
    bool fails = false;
    Vec3 colour = MakeVec(1, 1, 1);
    float depthRange = 4;
};

// The polyline as a chain, or segment by segment; each failing segment skipped or not. The error raised, if any.
std::optional<ErrorKind> DrawChain(Drawing& d, const ChainCase& c, Vec3 angles, bool bySegments, bool skipping) {
    Tools3D& tools = d.scene.tools;
    tools.DepthRange = c.depthRange;
    SetLineColour(tools, c.colour.x, c.colour.y, c.colour.z);
    const int n = int(c.points.size());
    return RaisedKind([&] {
        if (!bySegments)
            return (skipping ? DrawSegmentChainSkippingErrors : DrawSegmentChain)(tools, c.points.data(), n, angles);
        for (int i = 1; i < n; ++i) try {
                DrawSegment(tools, c.points[i], c.points[i - 1], angles);
            } catch (const RunTimeError&) {
                if (!skipping) throw;
            }
    });
}

// Catches batches out of order, a bad partial group or run of eight, errors elsewhere or not skipped, edge ends
// missed.
TEST(SegmentChain, DrawsAndFailsAsOneSegmentAtATime) {
    const ChainCase cases[] = {
        {"empty", {}},
        {"one point", Wander(1, 0.02f, 1)},
        {"two points", Wander(2, 0.02f, 2)},
        {"short polyline", Wander(7, 0.02f, 3)},
        {"several batches", Wander(101, 0.01f, 4)},
        {"long lines leaving the raster", Wander(70, 1.5f, 5)},
        {"ends just past the edges", Ring(48, 1.12f)},
        {"coloured", Wander(45, 0.05f, 6), false, MakeVec(0.2f, 0.5f, 1)},
        {"far but finite", Wander(40, 0.02f, 7, 17, MakeVec(2e31f, -1e32f, 3e31f))},
        {"beyond the float range when rotated", Wander(40, 0.02f, 8, 29, MakeVec(3e38f, -3e38f, 3e38f)), true},
        {"not a number", Wander(40, 0.02f, 9, 22, Vec3{0.1f, NAN, 0.2f}), true},
        {"infinite", Wander(40, 0.02f, 10, 0, Vec3{INFINITY, 0, 0}), true},
        {"at the eye", Wander(40, 0.02f, 11, 35, MakeVec(0, 0, -5)), true},
        {"colour beyond 16 bits", Wander(40, 0.02f, 12), true, MakeVec(255, 1, 1)},
        {"depth cue dividing by zero", Wander(40, 0.02f, 13), true, MakeVec(1, 1, 1), 0},
    };
    const Vec3 views[] = {MakeVec(0, 0, 0), MakeVec(0.4f, 0.6f, 0.2f), MakeVec(0.0f, 3.14159274f, 0.0f)};
    for (const Vec3& angles : views)
        for (const ChainCase& c : cases)
            for (const bool skipping : {false, true}) {
                SCOPED_TRACE(std::string(c.name) + (skipping ? ", skipping" : ""));
                Drawing fast(true), quiet(false), plain(true, false);
                for (Drawing* d : {&fast, &quiet, &plain}) d->AlsoDrawAt(2);
                const std::optional<ErrorKind> error = DrawChain(plain, c, angles, true, skipping);
                EXPECT_TRUE(&angles != views || error.has_value() == (c.fails && !skipping));  // unturned, as named
                EXPECT_EQ(DrawChain(fast, c, angles, false, skipping), error);
                EXPECT_EQ(DrawChain(quiet, c, angles, false, skipping), error);
                ExpectDrewAsPlain(fast, plain), ExpectDrewAsPlain(quiet, plain);
            }
}

// Catches a given colour shaded, taken from another point or batch, lost where a batch is replayed, or worked out and
// raising: with the line colour beyond 16 bits, only segment 32, the first without a colour given, raises.
TEST(SegmentChain, DrawsGivenColoursAsGivenAtEveryLevel) {
    const std::vector<Vec3> points = Wander(101, 0.01f, 15);
    std::vector<PointColour> colours;
    for (int i = 0; i < 101; ++i) colours.push_back({Rgb{std::uint8_t(i), std::uint8_t(2 * i), 7}, i % 40 != 33});
    for (const float red : {1.0f, 255.0f}) {
        Drawing fast(true), plain(true, false);
        for (Tools3D* tools : {&fast.scene.tools, &plain.scene.tools}) {
            SetLineColour(*tools, red, 1, 1);
            RaisedKind([&] { DrawSegmentChainInColours(*tools, points.data(), colours.data(), 101, {}); });
        }
        ExpectDrewAsPlain(fast, plain);
        ASSERT_EQ(fast.log.size(), red > 1 ? 32u : 100u);
        for (std::size_t j = 0; j < fast.log.size(); ++j)
            EXPECT_EQ(PackRgb(fast.log[j].colour) == PackRgb(colours[j + 1].rgb), colours[j + 1].given) << j;
    }
}

// Catches a polyline's segments before a raising point left undrawn, or their own error lost behind the point's.
TEST(Polyline, DrawsAndFailsAsItsSegmentsOneByOne) {  // rows: name, point that raises, point at the eye
    const std::tuple<const char*, int, int> cases[] = {{"whole", -1, -1},
                                                       {"a point raises in the first piece", 20, -1},
                                                       {"a point raises in a later piece", 140, -1},
                                                       {"a segment raises before a point does", 100, 70}};
    for (const auto& [name, raising, atEye] : cases) {
        SCOPED_TRACE(name);
        const std::vector<Vec3> points = Wander(150, 0.02f, 14, atEye, MakeVec(0, 0, -5));
        const auto pointAt = [&](float u) {
            if (int(u) == raising) RaiseOverflow();
            return points[std::size_t(u)];
        };
        Drawing chained(true), oneByOne(true);
        const auto chainedError = RaisedKind([&] { DrawPolyline(chained.scene, {0, 149, 1}, pointAt); });
        const auto oneByOneError = RaisedKind([&] {
            for (int i = 1; i < 150; ++i)
                DrawSegment(oneByOne.scene.tools, pointAt(float(i)), points[i - 1], ViewAngles(oneByOne.scene));
        });
        EXPECT_EQ(chainedError, oneByOneError);
        EXPECT_EQ(LogDigest(chained.log), LogDigest(oneByOne.log));
        EXPECT_EQ(PixelDigest(chained.surface), PixelDigest(oneByOne.surface));
        EXPECT_GT(chained.log.size(), 18u);
    }
}

// Catches an overflow part way raised elsewhere than the plain loop, or a worker stuck on the lost job.
TEST(RosslerFastRoute, RaisesAnOverflowWhereThePlainLoopDoes) {
    RosslerStarts starts;
    for (int k = 0; k < RosslerTrajectories; ++k) starts[k] = MakeVec(0.05f * k - 0.5f, 0.3f, -0.2f);
    starts[2] = MakeVec(40.0f, 0.5f, 0.5f);  // leaves the attractor and overflows after about 370 segments
    for (const bool ownThread : {true, false}) {
        SCOPED_TRACE(ownThread ? "own thread" : "in the drawing thread");
        Drawing fast(true), plain(true, false);
        fast.scene.rossler.ownThread = ownThread;
        int fastFinished = -1, plainFinished = -1;
        EXPECT_THROW(DrawRosslerTrajectories(fast.scene, starts, fastFinished), RunTimeError);
        EXPECT_THROW(DrawRosslerTrajectoriesSequential(plain.scene, starts, plainFinished), RunTimeError);
        EXPECT_EQ(std::pair(fastFinished, plainFinished), std::pair(2, 2));
        EXPECT_GT(fast.log.size(), 2u * RosslerSamples + 100);  // the failing trajectory got some way
        ExpectDrewAsPlain(fast, plain);
        fast.log.clear(), plain.log.clear();
        for (int redraw = 0; redraw < 2; ++redraw) DrawRossler(fast.scene), DrawRosslerSequential(plain.scene);
        EXPECT_EQ(LogDigest(fast.log), LogDigest(plain.log));
    }
}

// Catches an error in the first segment leaving the random source after all twenty starts, not one.
TEST(RosslerFastRoute, LeavesTheRandomSourceAsThePlainLoopDoesAfterAnError) {
    Drawing fast(true), plain(true, false);
    fast.scene.tools.DepthRange = plain.scene.tools.DepthRange = 0;  // the depth cue divides by zero
    EXPECT_THROW(DrawRossler(fast.scene), RunTimeError);
    EXPECT_THROW(DrawRosslerSequential(plain.scene), RunTimeError);
    EXPECT_EQ(fast.scene.random.state, plain.scene.random.state);
    EXPECT_NE(fast.scene.random.state, RandomSource{}.state);
}

}  // namespace
