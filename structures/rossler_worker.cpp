#include "rossler_worker.h"

#include <cmath>
#include <system_error>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

bool Finite(const RosslerLanes& lanes, int k) {
    return std::isfinite(lanes.x[k]) && std::isfinite(lanes.y[k]) && std::isfinite(lanes.z[k]);
}

void RunPhase(RosslerWorker& w, int phase) {
    const RosslerPhase p = RosslerPhases[phase];
    const int first = p.firstGroup * RosslerGroupSize, end = first + p.groups * RosslerGroupSize;
    for (int block = 0; block < RosslerBlocks && !w.cancel.load(std::memory_order_relaxed); ++block) {
        AdvanceLanes(w.lanes, p.firstGroup, p.groups, RosslerBlockSamples,
                     w.points.data() + block * RosslerBlockSamples + 1, RosslerWorker::Stride);
        // A non-finite value stays non-finite, so a lane that is finite now was finite throughout.
        for (int k = first; k < end; ++k)
            if (!Finite(w.lanes, k) && w.firstBadBlock[k].load(std::memory_order_relaxed) == RosslerBlocks)
                w.firstBadBlock[k].store(block, std::memory_order_relaxed);
        w.blocksPublished[phase].store(block + 1, std::memory_order_release);
        w.blocksPublished[phase].notify_one();
    }
}

void RunJob(RosslerWorker& w) {
    for (int k = 0; k < RosslerTrajectories; ++k) {
        const Vec3 s = w.starts[k];
        w.lanes.x[k] = s.x, w.lanes.y[k] = s.y, w.lanes.z[k] = s.z;
        w.points[k * RosslerWorker::Stride] = {RosslerScaled(s.x), RosslerScaled(s.y), RosslerScaled(s.z)};
        w.firstBadBlock[k].store(RosslerBlocks, std::memory_order_relaxed);
    }
    for (int phase = 0; phase < RosslerPhaseCount; ++phase) RunPhase(w, phase);
}

void WorkerLoop(RosslerWorker& w) {
    unsigned seen = 0;
    for (;;) {
        w.jobsStarted.wait(seen, std::memory_order_acquire);
        seen = w.jobsStarted.load(std::memory_order_acquire);
        if (w.quit.load(std::memory_order_acquire)) return;
        RunJob(w);
        w.jobsFinished.store(seen, std::memory_order_release);
        w.jobsFinished.notify_one();
    }
}

}  // namespace

void StopRosslerWorker::operator()(RosslerWorker* worker) const {
    worker->cancel.store(true, std::memory_order_relaxed);
    worker->quit.store(true, std::memory_order_relaxed);
    worker->jobsStarted.fetch_add(1, std::memory_order_release);
    worker->jobsStarted.notify_one();
    if (worker->thread.joinable()) worker->thread.join();
    delete worker;
}

RosslerWorker* WorkerOf(RosslerWorkspace& workspace) {
    if (!workspace.worker) {
        std::unique_ptr<RosslerWorker, StopRosslerWorker> made(new RosslerWorker);
        RosslerWorker& w = *made;
        try {
            w.thread = std::thread([&w] { WorkerLoop(w); });
        } catch (const std::system_error&) {
            return nullptr;  // no thread to be had: the caller draws without one
        }
        workspace.worker = std::move(made);
    }
    return workspace.worker.get();
}

void StartRosslerJob(RosslerWorker& worker, const RosslerStarts& starts) {
    const unsigned previous = worker.jobsStarted.load(std::memory_order_relaxed);
    for (unsigned done; (done = worker.jobsFinished.load(std::memory_order_acquire)) != previous;)
        worker.jobsFinished.wait(done, std::memory_order_acquire);
    worker.starts = starts;
    worker.cancel.store(false, std::memory_order_relaxed);
    for (auto& published : worker.blocksPublished) published.store(0, std::memory_order_relaxed);
    worker.jobsStarted.store(previous + 1, std::memory_order_release);
    worker.jobsStarted.notify_one();
}

void WaitForBlock(RosslerWorker& worker, int trajectory, int block) {
    std::atomic<int>& published = worker.blocksPublished[RosslerPhaseOf(trajectory)];
    for (int spins = 0; spins < 4096; ++spins) {
        if (published.load(std::memory_order_acquire) > block) return;
#if defined(__x86_64__)
        _mm_pause();
#endif
    }
    for (int seen; (seen = published.load(std::memory_order_acquire)) <= block;)
        published.wait(seen, std::memory_order_acquire);
}

void CancelRosslerJob(RosslerWorker& worker) { worker.cancel.store(true, std::memory_order_relaxed); }
