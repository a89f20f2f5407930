#pragma once

// The thread that integrates the Rossler trajectories ahead of the drawing.
// A job runs in phases of a few groups each and every phase in blocks; after
// each block the thread publishes how far the phase got, and the drawing
// thread reads the points of published blocks only. Nothing is locked and
// nothing is allocated once the worker exists.
// Where no thread can be had (a build without threads, or a failed start),
// the worker keeps its buffers and integrates in the drawing thread instead,
// a block whenever the drawing waits for one: the same blocks, in the same
// order within each phase, so the same points.
#include <array>
#include <atomic>
#include <thread>
#include <vector>

#include "rossler_lanes.h"
#include "rossler_workspace.h"

inline constexpr int RosslerBlockSamples = 100;
inline constexpr int RosslerBlocks = RosslerSamples / RosslerBlockSamples;
static_assert(RosslerBlocks * RosslerBlockSamples == RosslerSamples);

// The drawing takes the trajectories in order and draws the first one as
// fast as it is integrated, so the first phase is short: two groups side by
// side cost little more than one alone.
struct RosslerPhase {
    int firstGroup, groups;
};
inline constexpr RosslerPhase RosslerPhases[] = {{0, 2}, {2, 3}};
inline constexpr int RosslerPhaseCount = 2;

inline int RosslerPhaseOf(int trajectory) {
    const int group = trajectory / RosslerGroupSize;
    int phase = 0;
    while (group >= RosslerPhases[phase].firstGroup + RosslerPhases[phase].groups) ++phase;
    return phase;
}

struct RosslerWorker {
    static constexpr int Stride = RosslerSamples + 1;  // sample 0 is the start

    RosslerStarts starts;
    SimdLevel simd = SimdLevel::Scalar;  // the job's kernels, the drawing state's level
    RosslerLanes lanes;
    std::vector<Vec3> points = std::vector<Vec3>(RosslerTrajectories * Stride);  // scaled samples
    std::array<std::atomic<int>, RosslerTrajectories> firstBadBlock;             // RosslerBlocks while all finite

    std::atomic<unsigned> jobsStarted{0}, jobsFinished{0};
    std::array<std::atomic<int>, RosslerPhaseCount> blocksPublished{};
    std::atomic<bool> cancel{false}, quit{false};
    std::thread thread;
    bool inThread = false;  // no thread: blocks are integrated on demand by WaitForBlock
};

// The workspace's worker, made on first use, with its own thread where one
// can be started and the workspace allows it.
RosslerWorker& WorkerOf(RosslerWorkspace& workspace);

// Hands the worker a new job, integrated at `level`; waits first for the one
// before to end.
void StartRosslerJob(RosslerWorker& worker, const RosslerStarts& starts, SimdLevel level);

// Waits until the block of the trajectory has been published.
void WaitForBlock(RosslerWorker& worker, int trajectory, int block);

// Asks the current job to stop early.
void CancelRosslerJob(RosslerWorker& worker);

inline const Vec3* TrajectoryPoints(const RosslerWorker& worker, int trajectory) {
    return worker.points.data() + trajectory * RosslerWorker::Stride;
}
