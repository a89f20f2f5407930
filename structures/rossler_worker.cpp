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

// Integrates one block of a phase, not yet published.
void RunBlock(RosslerWorker& w, int phase, int block) {
    const RosslerPhase p = RosslerPhases[phase];
    const int first = p.firstGroup * RosslerGroupSize, end = first + p.groups * RosslerGroupSize;
    AdvanceLanes(w.lanes, p.firstGroup, p.groups, RosslerBlockSamples,
                 w.points.data() + block * RosslerBlockSamples + 1, RosslerWorker::Stride, w.simd);
    // A non-finite value stays non-finite, so a lane that is finite now was finite throughout.
    for (int k = first; k < end; ++k)
        if (!Finite(w.lanes, k) && w.firstBadBlock[k].load(std::memory_order_relaxed) == RosslerBlocks)
            w.firstBadBlock[k].store(block, std::memory_order_relaxed);
}

void RunPhase(RosslerWorker& w, int phase) {
    for (int block = 0; block < RosslerBlocks && !w.cancel.load(std::memory_order_relaxed); ++block) {
        RunBlock(w, phase, block);
        w.blocksPublished[phase].store(block + 1, std::memory_order_release);
        w.blocksPublished[phase].notify_one();
    }
}

// Every trajectory at its start, nothing published.
void ResetJob(RosslerWorker& w) {
    for (int k = 0; k < RosslerTrajectories; ++k) {
        const Vec3 s = w.starts[k];
        w.lanes.x[k] = s.x, w.lanes.y[k] = s.y, w.lanes.z[k] = s.z;
        w.points[k * RosslerWorker::Stride] = {RosslerScaled(s.x), RosslerScaled(s.y), RosslerScaled(s.z)};
        w.firstBadBlock[k].store(RosslerBlocks, std::memory_order_relaxed);
    }
}

void WorkerLoop(RosslerWorker& w) {
    unsigned seen = 0;
    for (;;) {
        w.jobsStarted.wait(seen, std::memory_order_acquire);
        seen = w.jobsStarted.load(std::memory_order_acquire);
        if (w.quit.load(std::memory_order_acquire)) return;
        ResetJob(w);
        for (int phase = 0; phase < RosslerPhaseCount; ++phase) RunPhase(w, phase);
        w.jobsFinished.store(seen, std::memory_order_release);
        w.jobsFinished.notify_one();
    }
}

// Threads are there to be started unless the build has none.
constexpr bool ThreadsBuiltIn() {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    return false;
#else
    return true;
#endif
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

RosslerWorker& WorkerOf(RosslerWorkspace& workspace) {
    if (!workspace.worker) {
        std::unique_ptr<RosslerWorker, StopRosslerWorker> made(new RosslerWorker);
        RosslerWorker& w = *made;
        w.inThread = true;
        if (ThreadsBuiltIn() && workspace.ownThread) {
            try {
                w.thread = std::thread([&w] { WorkerLoop(w); });
                w.inThread = false;
            } catch (const std::system_error&) {
                // no thread to be had: the worker stays, integrating in the drawing thread
            }
        }
        workspace.worker = std::move(made);
    }
    return *workspace.worker;
}

void StartRosslerJob(RosslerWorker& worker, const RosslerStarts& starts, SimdLevel level) {
    if (worker.inThread) {
        worker.starts = starts;
        worker.simd = level;
        ResetJob(worker);
        for (auto& published : worker.blocksPublished) published.store(0, std::memory_order_relaxed);
        return;
    }
    const unsigned previous = worker.jobsStarted.load(std::memory_order_relaxed);
    for (unsigned done; (done = worker.jobsFinished.load(std::memory_order_acquire)) != previous;)
        worker.jobsFinished.wait(done, std::memory_order_acquire);
    worker.starts = starts;
    worker.simd = level;  // published to the thread with the job, by the release below
    worker.cancel.store(false, std::memory_order_relaxed);
    for (auto& published : worker.blocksPublished) published.store(0, std::memory_order_relaxed);
    worker.jobsStarted.store(previous + 1, std::memory_order_release);
    worker.jobsStarted.notify_one();
}

void WaitForBlock(RosslerWorker& worker, int trajectory, int block) {
    const int phase = RosslerPhaseOf(trajectory);
    std::atomic<int>& published = worker.blocksPublished[phase];
    if (worker.inThread) {
        for (int next; (next = published.load(std::memory_order_relaxed)) <= block;) {
            RunBlock(worker, phase, next);
            published.store(next + 1, std::memory_order_relaxed);
        }
        return;
    }
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
