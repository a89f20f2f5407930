// The page has no threads to spare: shared memory between workers needs
// headers a file opened from disk cannot have. So the Rossler "worker" runs
// in the drawing thread, integrating a block of its phase whenever the
// drawing waits for one. The drawing then keeps the batched route (lanes and
// segment chains) instead of falling back to one segment at a time.
#include <cmath>

#include "rossler_worker.h"

namespace {

bool Finite(const RosslerLanes& lanes, int k) {
    return std::isfinite(lanes.x[k]) && std::isfinite(lanes.y[k]) && std::isfinite(lanes.z[k]);
}

void RunBlock(RosslerWorker& w, int phase) {
    const RosslerPhase p = RosslerPhases[phase];
    const int first = p.firstGroup * RosslerGroupSize, end = first + p.groups * RosslerGroupSize;
    const int block = w.blocksPublished[phase].load(std::memory_order_relaxed);
    AdvanceLanes(w.lanes, p.firstGroup, p.groups, RosslerBlockSamples,
                 w.points.data() + block * RosslerBlockSamples + 1, RosslerWorker::Stride);
    // A non-finite value stays non-finite, so a lane that is finite now was finite throughout.
    for (int k = first; k < end; ++k)
        if (!Finite(w.lanes, k) && w.firstBadBlock[k].load(std::memory_order_relaxed) == RosslerBlocks)
            w.firstBadBlock[k].store(block, std::memory_order_relaxed);
    w.blocksPublished[phase].store(block + 1, std::memory_order_relaxed);
}

}  // namespace

void StopRosslerWorker::operator()(RosslerWorker* worker) const { delete worker; }

RosslerWorker* WorkerOf(RosslerWorkspace& workspace) {
    if (!workspace.worker) workspace.worker.reset(new RosslerWorker);
    return workspace.worker.get();
}

void StartRosslerJob(RosslerWorker& w, const RosslerStarts& starts) {
    w.starts = starts;
    for (int k = 0; k < RosslerTrajectories; ++k) {
        const Vec3 s = starts[k];
        w.lanes.x[k] = s.x, w.lanes.y[k] = s.y, w.lanes.z[k] = s.z;
        w.points[k * RosslerWorker::Stride] = {RosslerScaled(s.x), RosslerScaled(s.y), RosslerScaled(s.z)};
        w.firstBadBlock[k].store(RosslerBlocks, std::memory_order_relaxed);
    }
    for (auto& published : w.blocksPublished) published.store(0, std::memory_order_relaxed);
}

void WaitForBlock(RosslerWorker& w, int trajectory, int block) {
    const int phase = RosslerPhaseOf(trajectory);
    while (w.blocksPublished[phase].load(std::memory_order_relaxed) <= block) RunBlock(w, phase);
}

void CancelRosslerJob(RosslerWorker&) {}  // nothing runs ahead of the drawing
