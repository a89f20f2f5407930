// Nodes and Rossler Chaos: the two structures that use the random source.
#include <gtest/gtest.h>

#include <cmath>

#include "polylines.h"
#include "recording.h"

namespace {

bool SameSegments(const SegmentLog& a, const SegmentLog& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameBits(a[i].p, b[i].p) || !SameBits(a[i].q, b[i].q)) return false;
    return true;
}

SegmentLog DrawAndTake(Recording& r, void (*generator)(Scene&)) {
    r.log.clear();
    generator(r.scene);
    return r.log;
}

TEST(Nodes, SamePictureAtEveryRedrawEvenAfterRossler) {
    Recording r;
    r.scene.view = ViewAt(0.2f, 0.4f, 0.6f, 3.0f);
    const SegmentLog first = DrawAndTake(r, DrawNodes);
    const RandomSource after = r.scene.random;
    DrawAndTake(r, DrawRossler);
    const SegmentLog again = DrawAndTake(r, DrawNodes);
    EXPECT_TRUE(SameSegments(first, again));
    EXPECT_EQ(r.scene.random.state, after.state);  // always left in the same state
    EXPECT_GT(first.size(), 40u);                  // about 0.3 of 231 pairs
    EXPECT_LT(first.size(), 100u);
}

TEST(Nodes, JoinedPairsDoNotDependOnTime) {
    const SegmentLog still = RecordGenerator(DrawNodes, ViewAt(0, 0, 0, 0));
    const SegmentLog moved = RecordGenerator(DrawNodes, ViewAt(0, 0, 0, 7.5f));
    ASSERT_EQ(still.size(), moved.size());
    // Each node only slides along its line through the origin: the ratio of
    // coordinates is kept.
    for (size_t i = 0; i < still.size(); ++i) {
        const Vec3 a = still[i].p, b = moved[i].p;
        EXPECT_NEAR(double(a.x) * b.y, double(a.y) * b.x, 1e-6);
        EXPECT_NEAR(double(a.y) * b.z, double(a.z) * b.y, 1e-6);
    }
}

TEST(Nodes, BasePositionsInTheCubeAndSwingThroughTheOrigin) {
    for (const auto& s : RecordGenerator(DrawNodes)) {
        for (float c : {s.p.x, s.p.y, s.p.z, s.q.x, s.q.y, s.q.z}) {
            EXPECT_GT(c, -1.0f);
            EXPECT_LE(c, 1.0f);
        }
    }
    // At t = 5π node 0 (c = cos(π/2)) sits at the origin. Pairs are drawn with
    // a ascending, so the first segment starts at node 0 whenever node 0 is joined.
    const SegmentLog base = RecordGenerator(DrawNodes, ViewAt(0, 0, 0, 0));
    const SegmentLog swung = RecordGenerator(DrawNodes, ViewAt(0, 0, 0, 15.707963f));
    ASSERT_FALSE(base.empty());
    EXPECT_GT(DistanceFromOrigin(base[0].p), 0.01f);
    EXPECT_LT(DistanceFromOrigin(swung[0].p), 1e-6f);
}

TEST(Rossler, TwentyUnjoinedChainsOfTwentyThousand) {
    Recording r;
    const SegmentLog log = DrawAndTake(r, DrawRossler);
    ASSERT_EQ(log.size(), 400000u);
    EXPECT_EQ(PointCounts(SplitPolylines(log)), Repeat({}, 20, 20001));
    for (int k = 0; k < 20; ++k) {
        const Vec3 start = log[size_t(k) * 20000].q;  // the random start point, scaled by 1/30
        for (float c : {start.x, start.y, start.z}) EXPECT_LE(std::fabs(c), 1.0f / 30);
    }
    EXPECT_EQ(r.scene.tools.LineRed, 1.0f);
}

TEST(Rossler, NewTrajectoriesEveryRedrawButTheSameAfterNodes) {
    Recording r;
    const SegmentLog first = DrawAndTake(r, DrawRossler);
    SetLineColour(r.scene.tools, 0.2f, 0.5f, 1);
    const SegmentLog second = DrawAndTake(r, DrawRossler);
    EXPECT_FALSE(SameBits(first[0].q, second[0].q));
    EXPECT_EQ(r.scene.tools.LineRed, 0.2f);  // drawn in the current colour, left as it was
    EXPECT_GT(second[0].colour.blue, second[0].colour.red);
    SetLineColour(r.scene.tools, 1, 1, 1);

    Recording fresh;
    EXPECT_TRUE(SameSegments(DrawAndTake(fresh, DrawRossler), first));  // the same after every start

    DrawAndTake(r, DrawNodes);
    const SegmentLog afterNodes = DrawAndTake(r, DrawRossler);
    DrawAndTake(fresh, DrawNodes);
    EXPECT_TRUE(SameSegments(DrawAndTake(fresh, DrawRossler), afterNodes));
}

}  // namespace
