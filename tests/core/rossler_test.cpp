// Rossler Chaos: the fast redraw against the one-trajectory-at-a-time
// algorithm, also where a run-time error ends it, and the shape of the picture.
#include "rossler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "catalogue.h"
#include "generators.h"

namespace {

constexpr int SegmentsPerTrajectory = 20000;

bool SameSegment(const SegmentRecord& a, const SegmentRecord& b) {
    const float ea[4] = {a.x1, a.y1, a.x2, a.y2}, eb[4] = {b.x1, b.y1, b.x2, b.y2};
    return SameBits(a.p, b.p) && SameBits(a.q, b.q) && std::memcmp(ea, eb, sizeof ea) == 0 &&
           PackRgb(a.colour) == PackRgb(b.colour);
}

bool SameLogs(const SegmentLog& a, const SegmentLog& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameSegment(a[i], b[i])) return false;
    return true;
}

struct Drawing {
    Scene scene;
    Surface surface;
    SegmentLog log;

    explicit Drawing(bool fast) {
        scene.view.AngleX = 0.3f, scene.view.AngleY = -0.8f, scene.view.AngleZ = 1.1f;
        scene.tools.surface = &surface;
        scene.tools.log = &log;
        scene.tools.fastPath = fast;
    }
};

RosslerStarts StartsWithOneBlowingUp(int trajectory) {
    RosslerStarts starts;
    for (int k = 0; k < RosslerTrajectories; ++k) starts[k] = MakeVec(0.05f * k - 0.5f, 0.3f, -0.2f);
    starts[trajectory] = MakeVec(40.0f, 0.5f, 0.5f);  // leaves the attractor and overflows after about 370 segments
    return starts;
}

// A trajectory that overflows part way: the fast route hands over to the plain
// loop and raises the error at the same segment, with the same picture.
TEST(RosslerFastRoute, RaisesAnOverflowWhereThePlainLoopDoes) {
    const RosslerStarts starts = StartsWithOneBlowingUp(2);
    auto fast = std::make_unique<Drawing>(true), plain = std::make_unique<Drawing>(false);
    int fastFinished = -1, plainFinished = -1;
    EXPECT_THROW(DrawRosslerTrajectories(fast->scene, starts, fastFinished), RunTimeError);
    EXPECT_THROW(DrawRosslerTrajectoriesSequential(plain->scene, starts, plainFinished), RunTimeError);
    EXPECT_EQ(fastFinished, 2);
    EXPECT_EQ(plainFinished, 2);
    EXPECT_GT(fast->log.size(), 2u * SegmentsPerTrajectory + 100);  // the failing trajectory got some way
    EXPECT_TRUE(SameLogs(fast->log, plain->log));
    EXPECT_EQ(fast->surface.pixels, plain->surface.pixels);

    // The worker recovers from the abandoned job.
    fast->log.clear(), plain->log.clear();
    DrawRossler(fast->scene);
    DrawRosslerSequential(plain->scene);
    EXPECT_TRUE(SameLogs(fast->log, plain->log));
}

// An error in the first segment: the random source is left where the plain
// loop leaves it (one start drawn), not after all twenty starts.
TEST(RosslerFastRoute, LeavesTheRandomSourceAsThePlainLoopDoesAfterAnError) {
    auto fast = std::make_unique<Drawing>(true), plain = std::make_unique<Drawing>(false);
    fast->scene.tools.DepthRange = plain->scene.tools.DepthRange = 0;  // the depth cue divides by zero
    EXPECT_THROW(DrawRossler(fast->scene), RunTimeError);
    EXPECT_THROW(DrawRosslerSequential(plain->scene), RunTimeError);
    EXPECT_EQ(fast->scene.random.state, plain->scene.random.state);
    EXPECT_NE(fast->scene.random.state, RandomSource{}.state);
    EXPECT_TRUE(fast->log.empty());
    EXPECT_TRUE(plain->log.empty());

    fast->scene.tools.DepthRange = plain->scene.tools.DepthRange = 4;
    DrawRossler(fast->scene);
    DrawRosslerSequential(plain->scene);
    EXPECT_TRUE(SameLogs(fast->log, plain->log));
    EXPECT_EQ(fast->scene.random.state, plain->scene.random.state);
}

// A copied scene gets its own worker and draws what the original draws.
TEST(RosslerFastRoute, ACopiedSceneDrawsTheSame) {
    auto original = std::make_unique<Drawing>(true);
    DrawRossler(original->scene);
    auto copy = std::make_unique<Drawing>(true);
    copy->scene = original->scene;
    copy->scene.tools.surface = &copy->surface, copy->scene.tools.log = &copy->log;
    original->log.clear();
    DrawRossler(original->scene);
    DrawRossler(copy->scene);
    EXPECT_TRUE(SameLogs(original->log, copy->log));
}

}  // namespace
