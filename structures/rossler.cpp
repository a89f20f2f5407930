// Rossler Chaos: twenty Euler-integrated trajectories from random starts.
#include "rossler.h"

#include "generators.h"
#include "rossler_step.h"
#include "rossler_worker.h"

namespace {

constexpr int Steps = RosslerSamples * RosslerSampleEvery;

Vec3 Scaled(double x, double y, double z) {
    return MakeVec(StoreFloat(x / double(RosslerScale)), StoreFloat(y / double(RosslerScale)),
                   StoreFloat(z / double(RosslerScale)));
}

Vec3 RandomStart(RandomSource& random) {
    const float x = StoreFloat(2.0 * NextRandom(random) - 1);
    const float y = StoreFloat(2.0 * NextRandom(random) - 1);
    const float z = StoreFloat(2.0 * NextRandom(random) - 1);
    return {x, y, z};
}

// The plain loop for one trajectory. Segments before `firstSegment` are
// integrated but not drawn, so a trajectory can be taken up part way.
void DrawTrajectory(Scene& scene, Vec3 start, int firstSegment) {
    double x = start.x, y = start.y, z = start.z;  // each a float, as the step keeps them
    double px = x, py = y, pz = z;
    for (int i = 1; i <= Steps; ++i) {
        RosslerStep(x, y, z, [](double& v) { v = StoreFloat(v); });
        if (i % RosslerSampleEvery == 0) {
            if (i / RosslerSampleEvery >= firstSegment)
                DrawSegment(scene.tools, Scaled(x, y, z), Scaled(px, py, pz), ViewAngles(scene));
            px = x, py = y, pz = z;
        }
    }
}

void DrawFromWorker(Scene& scene, RosslerWorker& worker, int trajectory) {
    const Vec3* points = TrajectoryPoints(worker, trajectory);
    for (int block = 0; block < RosslerBlocks; ++block) {
        WaitForBlock(worker, trajectory, block);
        const int first = block * RosslerBlockSamples + 1;
        if (worker.firstBadBlock[trajectory].load(std::memory_order_relaxed) <= block) {
            // A value turned infinite or not a number in this block: the plain
            // loop takes over and raises the error where it always would.
            DrawTrajectory(scene, worker.starts[trajectory], first);
            return;
        }
        DrawSegmentChain(scene.tools, points + first - 1, RosslerBlockSamples + 1, ViewAngles(scene));
    }
}

}  // namespace

void DrawRosslerTrajectoriesSequential(Scene& scene, const RosslerStarts& starts, int& finished) {
    for (finished = 0; finished < RosslerTrajectories; ++finished) DrawTrajectory(scene, starts[finished], 1);
}

void DrawRosslerTrajectories(Scene& scene, const RosslerStarts& starts, int& finished) {
    RosslerWorker& worker = WorkerOf(scene.rossler);
    StartRosslerJob(worker, starts, scene.tools.simd);
    try {
        for (finished = 0; finished < RosslerTrajectories; ++finished) DrawFromWorker(scene, worker, finished);
    } catch (...) {
        CancelRosslerJob(worker);
        throw;
    }
}

void DrawRosslerSequential(Scene& scene) {
    for (int k = 1; k <= RosslerTrajectories; ++k) DrawTrajectory(scene, RandomStart(scene.random), 1);
}

// The start points are drawn from the random source before any trajectory;
// after an error the source is set back to where the plain loop leaves it.
void DrawRossler(Scene& scene) {
    const RandomSource before = scene.random;
    RosslerStarts starts;
    for (Vec3& start : starts) start = RandomStart(scene.random);
    int finished = 0;
    try {
        DrawRosslerTrajectories(scene, starts, finished);
    } catch (...) {
        scene.random = before;
        for (int k = 0; k <= finished; ++k) RandomStart(scene.random);
        throw;
    }
}
