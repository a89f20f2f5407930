// Counts and polyline shapes of the parametric curves and surfaces.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "polylines.h"
#include "recording.h"

namespace {

struct Case {
    const char* name;
    void (*generator)(Scene&);
    std::size_t segments;
    std::vector<int> pointsPerPolyline;  // in drawing order
    bool usesTime;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::vector<int> Grid(int polylinesA, int pointsA, int polylinesB, int pointsB) {
    return Repeat(Repeat({}, polylinesA, pointsA), polylinesB, pointsB);
}

std::vector<Case> Cases() {
    return {
        {"CircularHelix", DrawCircularHelix, 1226, Grid(70, 9, 9, 75), false},
        {"DistortedSphere", DrawDistortedSphere, 656, Grid(21, 16, 11, 32), true},
        {"Sepal", DrawSepal, 313, {314}, false},
        {"Ball", DrawBall, 313, {314}, false},
        {"Hulos", DrawHulos, 313, {314}, false},
        {"Paraboloid", DrawParaboloid, 538, Grid(21, 13, 13, 23), true},
        {"Surface", DrawSurface, 1960, Grid(20, 50, 20, 50), false},
        {"Ripple", DrawRipple, 1860, Grid(10, 27, 40, 41), true},
        {"Web", DrawWeb, 415, Repeat({11, 11, 9, 10, 11, 11, 10, 10, 11, 11}, 8, 41), false},
    };
}

class CurvesAndSurfaces : public testing::TestWithParam<Case> {};

const ViewState Views[] = {ViewAt(0, 0, 0, 0), ViewAt(0.7f, -1.3f, 2.1f, 3.7f)};

// Catches a loop bound or step rounded the wrong way (one pass more or less).
TEST_P(CurvesAndSurfaces, ExactSegmentCountAtTwoViews) {
    for (const ViewState& view : Views)
        EXPECT_EQ(RecordGenerator(GetParam().generator, view).size(), GetParam().segments);
}

// Catches a curve joined to the next one, a closed curve, or a family drawn in
// the wrong order or with the wrong number of points.
TEST_P(CurvesAndSurfaces, PolylinesHaveTheStatedShape) {
    const SegmentLog log = RecordGenerator(GetParam().generator, Views[1]);
    const std::vector<Polyline> lines = SplitPolylines(log);
    EXPECT_EQ(PointCounts(lines), GetParam().pointsPerPolyline);
    for (const Polyline& line : lines) EXPECT_FALSE(SameBits(line.front(), line.back()));
}

bool SameRecords(const SegmentLog& a, const SegmentLog& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const SegmentRecord &r = a[i], &s = b[i];
        if (!SameBits(r.p, s.p) || !SameBits(r.q, s.q) || r.x1 != s.x1 || r.y1 != s.y1 || r.x2 != s.x2 ||
            r.y2 != s.y2 || std::memcmp(&r.colour, &s.colour, sizeof(Rgb)) != 0)
            return false;
    }
    return true;
}

// Catches a structure that reads AnimTime where it must not, or ignores it.
TEST_P(CurvesAndSurfaces, AnimTimeChangesOnlyTheAnimatedStructures) {
    const SegmentLog early = RecordGenerator(GetParam().generator, ViewAt(0.4f, 0.5f, 0.6f, 0));
    const SegmentLog late = RecordGenerator(GetParam().generator, ViewAt(0.4f, 0.5f, 0.6f, 2.3f));
    EXPECT_EQ(SameRecords(early, late), !GetParam().usesTime);
}

// Catches a generator that sets a colour of its own or leaves one behind.
TEST_P(CurvesAndSurfaces, DrawsInTheCurrentColourAndLeavesIt) {
    Recording r;
    SetLineColour(r.scene.tools, 1, 0.5f, 0.2f);
    GetParam().generator(r.scene);
    EXPECT_EQ(r.scene.tools.LineRed, 1.0f);
    EXPECT_EQ(r.scene.tools.LineGreen, 0.5f);
    EXPECT_EQ(r.scene.tools.LineBlue, 0.2f);
    ASSERT_FALSE(r.log.empty());
    for (const SegmentRecord& s : r.log) {
        EXPECT_GE(s.colour.red, s.colour.green);
        EXPECT_GE(s.colour.green, s.colour.blue);
    }
    EXPECT_GT(r.log.front().colour.red, r.log.front().colour.blue);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CurvesAndSurfaces, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
