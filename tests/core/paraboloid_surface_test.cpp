// The paraboloid's waist, rims and error skipping; the surface's square.
#include <gtest/gtest.h>

#include <cmath>

#include "polylines.h"
#include "recording.h"

namespace {

double Radius(Vec3 p) { return std::hypot(double(p.y), double(p.z)); }

// Catches k applied twice or 0.1 added in the wrong place.
TEST(Paraboloid, WaistAndRimsAtTimeZero) {
    const std::vector<Polyline> lines = SplitPolylines(RecordGenerator(DrawParaboloid));
    ASSERT_EQ(lines.size(), 34u);
    const Polyline &left = lines[21], &waist = lines[27], &right = lines[33];
    EXPECT_EQ(left.front().x, -0.6f);
    EXPECT_EQ(right.front().x, 0.59999996f);
    EXPECT_LT(waist.front().x, 0.0f);
    EXPECT_NEAR(waist.front().x, -1.5e-8, 1e-9);
    for (Vec3 p : left) EXPECT_NEAR(Radius(p), 0.46, 1e-6);
    for (Vec3 p : right) EXPECT_NEAR(Radius(p), 0.46, 1e-6);
    for (Vec3 p : waist) EXPECT_NEAR(Radius(p), 0.1, 1e-6);
}

// Catches k read from the wrong place: at the peak of sin t the rims widen
// to about 0.676 while the waist stays at 0.1.
TEST(Paraboloid, RimsBreatheWithTime) {
    const std::vector<Polyline> lines = SplitPolylines(RecordGenerator(DrawParaboloid, ViewAt(0, 0, 0, 1.5707964f)));
    EXPECT_NEAR(Radius(lines[21].front()), 0.676, 1e-5);
    EXPECT_NEAR(Radius(lines[27].front()), 0.1, 1e-6);
}

// Depth settings under which every segment whose rotated ends sum below about
// -0.0002 in z overflows its colour, so DrawSegment fails for the near half.
Recording& WithFailingNearSegments(Recording& r) {
    r.scene.tools.DepthRange = 1e-6f;
    return r;
}

bool Drawn(const SegmentLog& log, const SegmentRecord& s) {
    for (const SegmentRecord& d : log)
        if (SameBits(d.p, s.p) && SameBits(d.q, s.q)) return true;
    return false;
}

// Catches an error passed to the caller, a curve abandoned at its first
// failure, or a failed segment that breaks the chain of the next one.
TEST(Paraboloid, SkipsFailingSegmentsAndDrawsTheRest) {
    const SegmentLog normal = RecordGenerator(DrawParaboloid);
    Recording r;
    ASSERT_NO_THROW(DrawParaboloid(WithFailingNearSegments(r).scene));
    std::size_t far = 0;
    for (const SegmentRecord& s : normal) {
        const float depthSum = s.p.z + s.q.z;
        if (depthSum >= 0) {
            ++far;
            EXPECT_TRUE(Drawn(r.log, s));
        } else if (depthSum < -0.001f) {
            EXPECT_FALSE(Drawn(r.log, s));
        }
    }
    EXPECT_GT(far, 200u);
    EXPECT_LT(r.log.size(), normal.size());
}

// The surface has no trap of its own: the same fault ends it.
TEST(Surface, PassesTheSameFaultOn) {
    Recording r;
    EXPECT_THROW(DrawSurface(WithFailingNearSegments(r).scene), RunTimeError);
    EXPECT_LT(r.log.size(), 1960u);
}

// A failed k (sin of an infinite time) keeps its initial 0: every radius is the waist's.
TEST(Paraboloid, FailedStatementKeepsThePreviousValue) {
    SegmentLog log;
    ASSERT_NO_THROW(log = RecordGenerator(DrawParaboloid, ViewAt(0, 0, 0, INFINITY)));
    EXPECT_EQ(log.size(), 538u);
    for (const SegmentRecord& s : log) EXPECT_NEAR(Radius(s.p), 0.1, 1e-6);
}

// Catches a loop that reaches 0.5: the accumulated steps stop one short.
TEST(Surface, StopsAtTheLastAccumulatedValueBeforeHalf) {
    const std::vector<Polyline> lines = SplitPolylines(RecordGenerator(DrawSurface));
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[0].front().x, -0.5f);
    EXPECT_NEAR(lines[19].front().x, 0.45000008, 1e-8);
    EXPECT_NEAR(lines[39].front().y, 0.45000008, 1e-8);
    for (const Polyline& line : lines) {
        EXPECT_EQ(std::min(line.front().x, line.front().y), -0.5f);
        EXPECT_NEAR(std::max(line.back().x, line.back().y), 0.48000017, 1e-8);
        for (Vec3 p : line) {
            EXPECT_NE(p.x, 0.5f);
            EXPECT_NE(p.y, 0.5f);
            EXPECT_EQ(p.z, float(double(p.x) * p.y));
        }
    }
}

}  // namespace
