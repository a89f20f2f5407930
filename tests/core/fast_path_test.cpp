// The fast drawing path against the straightforward one: the same segments,
// bit for bit, and the same pixels, for every structure at several views.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "catalogue.h"
#include "outline.h"
#include "rossler.h"
#include "run_time_error.h"

namespace {

bool SameRecord(const SegmentRecord& a, const SegmentRecord& b) {
    const float ea[4] = {a.x1, a.y1, a.x2, a.y2}, eb[4] = {b.x1, b.y1, b.x2, b.y2};
    return SameBits(a.p, b.p) && SameBits(a.q, b.q) && std::memcmp(ea, eb, sizeof ea) == 0 &&
           a.colour.red == b.colour.red && a.colour.green == b.colour.green && a.colour.blue == b.colour.blue;
}

// The index of the first record that differs, or -1.
long FirstDifference(const SegmentLog& a, const SegmentLog& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (!SameRecord(a[i], b[i])) return long(i);
    return a.size() == b.size() ? -1 : long(std::min(a.size(), b.size()));
}

struct Drawing {
    Scene scene;
    Surface surface;
    SegmentLog log;

    Drawing(ViewState view, bool showAxis, bool fast) {
        scene.view = view;
        scene.showAxis = showAxis;
        scene.tools.surface = &surface;
        scene.tools.log = &log;
        scene.tools.fastPath = fast;
    }
};

// RedrawScene as it would be without any of the shortcuts.
void StraightforwardRedraw(Scene& scene) {
    if (scene.showAxis) DrawAxes(scene.tools, scene.view.AngleX, scene.view.AngleY, scene.view.AngleZ);
    const int index = scene.view.StructureIndex;
    if (index == *FindStructure("Rossler Chaos"))
        DrawRosslerSequential(scene);
    else
        Catalogue()[index - 1].generator(scene);
}

struct View {
    float ax, ay, az, time;
    bool axes;
};

const View Views[] = {
    {0.0f, 0.0f, 0.0f, 0.0f, false},
    {0.4f, 0.6f, 0.2f, 1.3f, true},
    {2.5f, -1.2f, 4.0f, 15.708f, false},
};

class EveryStructure : public testing::TestWithParam<int> {};

// Catches a reused end point that is not the one a plain rotation would give,
// a line drawer that skips or adds pixels, and (for Rossler) trajectories
// drawn out of order or a random source left elsewhere.
TEST_P(EveryStructure, FastPathDrawsWhatTheStraightforwardPathDraws) {
    const int index = GetParam();
    for (const View& v : Views) {
        ViewState view;
        view.AngleX = v.ax, view.AngleY = v.ay, view.AngleZ = v.az, view.AnimTime = v.time;
        view.StructureIndex = std::int16_t(index);
        auto fast = std::make_unique<Drawing>(view, v.axes, true);
        auto plain = std::make_unique<Drawing>(view, v.axes, false);
        for (int redraw = 0; redraw < 2; ++redraw) {  // the second continues the random source
            RedrawScene(fast->scene);
            StraightforwardRedraw(plain->scene);
        }
        SCOPED_TRACE(std::string(Catalogue()[index - 1].listText) + " at view " + std::to_string(v.ax));
        EXPECT_EQ(FirstDifference(fast->log, plain->log), -1);
        EXPECT_EQ(fast->surface.pixels, plain->surface.pixels);
        EXPECT_EQ(fast->scene.random.state, plain->scene.random.state);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryStructure, testing::Range(1, CatalogueSize + 1));

// Polyline ends that look the same but are not: a reused end must be the
// same bits under the same angles.
TEST(EndPointReuse, OnlyTheSameBitsUnderTheSameAnglesAreReused) {
    const Vec3 a = MakeVec(0.3f, -0.2f, 0.1f), b = MakeVec(0.0f, 0.5f, 0.0f), negZero = MakeVec(-0.0f, 0.5f, -0.0f);
    const Vec3 view1 = MakeVec(0.0f, 3.14159274f, 0.0f), view2 = MakeVec(0.7f, 0.1f, -0.4f);
    auto run = [&](bool fast) {
        Surface surface;
        SegmentLog log;
        Tools3D tools;
        tools.surface = &surface, tools.log = &log, tools.fastPath = fast;
        DrawSegment(tools, b, a, view1);
        DrawSegment(tools, a, negZero, view1);  // -0 is not 0: rotated, it can keep its sign
        DrawSegment(tools, b, a, view1);
        DrawSegment(tools, a, b, view2);  // same point, other angles
        DrawSegment(tools, b, a, view2);
        return std::make_pair(log, surface.pixels);
    };
    const auto fast = run(true), plain = run(false);
    EXPECT_EQ(FirstDifference(fast.first, plain.first), -1);
    EXPECT_EQ(fast.second, plain.second);
}

struct ChainCase {
    const char* name;
    std::vector<Vec3> points;
    bool fails = false;
    std::array<int, 3> factorsTimes10 = {10, 10, 10};  // line colour factors (red, green, blue), tenths
    float depthRange = 4;
};

struct ChainResult {
    SegmentLog log;
    std::vector<std::uint32_t> pixels;
    int errorKind = -1;
    float brightness = 0;
};

// DrawSegmentChain on the fast route, or DrawSegment one segment at a time on
// the straightforward one.
ChainResult DrawChain(const ChainCase& c, Vec3 angles, bool fast) {
    auto surface = std::make_unique<Surface>();
    ChainResult result;
    Tools3D tools;
    tools.surface = surface.get(), tools.log = &result.log, tools.fastPath = fast;
    tools.DepthRange = c.depthRange;
    SetLineColour(tools, c.factorsTimes10[0] / 10.0f, c.factorsTimes10[1] / 10.0f, c.factorsTimes10[2] / 10.0f);
    try {
        if (fast)
            DrawSegmentChain(tools, c.points.data(), int(c.points.size()), angles);
        else
            for (std::size_t i = 1; i < c.points.size(); ++i) DrawSegment(tools, c.points[i], c.points[i - 1], angles);
    } catch (const RunTimeError& e) {
        result.errorKind = int(e.kind);
    }
    result.pixels = surface->pixels;
    result.brightness = tools.Brightness;
    return result;
}

std::vector<Vec3> Wander(int count, float reach, unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_real_distribution<float> step(-reach, reach);
    std::vector<Vec3> points;
    Vec3 at = MakeVec(0.1f, -0.2f, 0.05f);
    for (int i = 0; i < count; ++i) {
        points.push_back(at);
        at = MakeVec(at.x + step(engine), at.y + step(engine), at.z + step(engine));
    }
    return points;
}

std::vector<Vec3> WithPoint(std::vector<Vec3> points, std::size_t at, Vec3 point) {
    points[at] = point;
    return points;
}

// Catches a batch that draws segments out of order, mishandles its last
// partial group of four, or raises an error at another segment (or of another
// kind) than DrawSegment one at a time.
TEST(SegmentChain, DrawsAndFailsAsOneSegmentAtATime) {
    const ChainCase cases[] = {
        {"empty", {}},
        {"one point", Wander(1, 0.02f, 1)},
        {"two points", Wander(2, 0.02f, 2)},
        {"short polyline", Wander(7, 0.02f, 3)},
        {"several batches", Wander(101, 0.01f, 4)},
        {"long lines leaving the raster", Wander(70, 1.5f, 5)},
        {"coloured", Wander(45, 0.05f, 6), false, {2, 5, 10}},
        {"far but finite", WithPoint(Wander(40, 0.02f, 7), 17, MakeVec(2e31f, -1e32f, 3e31f))},
        {"beyond the float range when rotated", WithPoint(Wander(40, 0.02f, 8), 29, MakeVec(3e38f, -3e38f, 3e38f)),
         true},
        {"not a number", WithPoint(Wander(40, 0.02f, 9), 22, Vec3{0.1f, NAN, 0.2f}), true},
        {"infinite", WithPoint(Wander(40, 0.02f, 10), 0, Vec3{INFINITY, 0, 0}), true},
        {"at the eye", WithPoint(Wander(40, 0.02f, 11), 35, MakeVec(0, 0, -5)), true},
        {"colour beyond 16 bits", Wander(40, 0.02f, 12), true, {2550, 10, 10}},
        {"depth cue dividing by zero", Wander(40, 0.02f, 13), true, {10, 10, 10}, 0},
    };
    const Vec3 views[] = {MakeVec(0, 0, 0), MakeVec(0.4f, 0.6f, 0.2f), MakeVec(-2.0f, 1.0f, 3.0f)};
    for (const Vec3 angles : views) {
        for (const ChainCase& c : cases) {
            SCOPED_TRACE(c.name);
            const ChainResult fast = DrawChain(c, angles, true), plain = DrawChain(c, angles, false);
            if (&angles == views) {
                EXPECT_EQ(plain.errorKind != -1, c.fails);  // unturned, the cases fail as named
            }
            EXPECT_EQ(fast.errorKind, plain.errorKind);
            EXPECT_EQ(FirstDifference(fast.log, plain.log), -1);
            EXPECT_EQ(fast.pixels, plain.pixels);
            EXPECT_EQ(std::memcmp(&fast.brightness, &plain.brightness, sizeof(float)), 0);
        }
    }
}

// Line drawn by the fast route and by the reference, with a colour per line so
// that a missing or extra pixel shows.
void ExpectSameLines(const std::vector<std::array<float, 4>>& lines) {
    auto fast = std::make_unique<Surface>(), plain = std::make_unique<Surface>();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& l = lines[i];
        const Rgb colour{std::uint8_t(i), std::uint8_t(i >> 8), std::uint8_t(1 + i % 251)};
        Line(*fast, l[0], l[1], l[2], l[3], colour);
        LineStraightforward(*plain, l[0], l[1], l[2], l[3], colour);
        if (i % 16 == 15 || i + 1 == lines.size()) {
            ASSERT_EQ(fast->pixels, plain->pixels) << "by line " << i;
            Clear(*fast), Clear(*plain);
        }
    }
}

TEST(FastLine, EdgesCornersAndLinesLeavingTheRaster) {
    ExpectSameLines({{-1, -1, 1, 1},
                     {1, 1, -1, -1},
                     {-1, 1, 1, -1},
                     {1, -1, 1, 1},
                     {-1, -1, -1, 1},
                     {0, 0, 3, 0},
                     {0, 0, 0, -3},
                     {-2, -2, 2, 2},
                     {-5, 0.3f, 5, -0.2f},
                     {1.0000001f, 0, 1.5f, 0},
                     {0.5f, 0.5f, 0.5f, 0.5f},
                     {-1, 0, -1.0000001f, 0},
                     {3e38f, -3e38f, -3e38f, 3e38f},
                     {0.99999994f, 0.99999994f, -0.99999994f, -0.99999994f},
                     {-0.5f, 0, 0.5f, 0}});
}

TEST(FastLine, EverySlopeFromOnePoint) {
    std::vector<std::array<float, 4>> lines;
    for (int dc = -30; dc <= 30; ++dc)
        for (int dr = -30; dr <= 30; ++dr) lines.push_back({0.1f, -0.2f, 0.1f + dc / 282.5f, -0.2f + dr / 258.5f});
    ExpectSameLines(lines);
}

TEST(FastLine, RandomLinesInsideAndAcrossTheEdges) {
    std::mt19937 engine(12345);
    std::uniform_real_distribution<float> inside(-1.0f, 1.0f), across(-1.6f, 1.6f);
    std::vector<std::array<float, 4>> lines;
    for (int i = 0; i < 2000; ++i) {
        auto& d = i % 2 ? inside : across;
        lines.push_back({d(engine), d(engine), d(engine), d(engine)});
    }
    ExpectSameLines(lines);
}

// Lines of a chain planned ahead in runs: every one as LinePixel draws it,
// in order, also past a run's end and where ends leave the raster.
TEST(FastLine, PixelChainDrawsEachLineAsLinePixel) {
    std::mt19937 engine(777);
    std::uniform_real_distribution<float> near(-0.03f, 0.03f), jump(-1.8f, 1.8f);
    constexpr int Points = 151;
    std::vector<float> x(Points), y(Points);
    std::vector<std::int32_t> column(Points), row(Points);
    std::vector<std::uint32_t> pixel(Points);
    int outside = 0;
    float px = 0.2f, py = -0.1f;
    for (int i = 0; i < Points; ++i) {
        if (i % 37 == 0) px = jump(engine), py = jump(engine);  // now and then far, perhaps outside
        px += near(engine), py += near(engine);
        x[i] = px, y[i] = py;
        pixel[i] = 0xFF000000u | std::uint32_t(i * 0x010203);
    }
    auto chained = std::make_unique<Surface>(), single = std::make_unique<Surface>();
    for (int first = 0; first + 1 < Points; first += 63) {  // chains of up to 64 points
        const int count = std::min(63, Points - 1 - first);
        std::uint64_t inside = 0;
        for (int i = 0; i <= count; ++i)
            if (PixelInside(x[first + i], y[first + i], column[first + i], row[first + i]))
                inside |= std::uint64_t(1) << i;
        outside += count + 1 - std::popcount(inside);
        DrawPixelChain(*chained, {&x[first], &y[first], &column[first], &row[first], inside, &pixel[first], count});
        for (int j = first; j < first + count; ++j) LinePixel(*single, x[j + 1], y[j + 1], x[j], y[j], pixel[j]);
    }
    EXPECT_GT(outside, 0);
    EXPECT_EQ(chained->pixels, single->pixels);
}

TEST(FastLine, NonFiniteEndsFailOnBothRoutes) {
    Surface surface;
    EXPECT_THROW(Line(surface, 0, NAN, 0, 0, {}), RunTimeError);
    EXPECT_THROW(LineStraightforward(surface, 0, 0, INFINITY, 0, {}), RunTimeError);
}

}  // namespace
