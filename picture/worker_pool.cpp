#include "worker_pool.h"

#include <algorithm>

namespace {

void Work(WorkerPool& pool) {
    std::unique_lock lock(pool.mutex);
    for (;;) {
        pool.changed.wait(lock, [&] { return pool.stopping || !pool.jobs.empty(); });
        if (pool.jobs.empty()) return;
        std::function<void()> job = std::move(pool.jobs.front());
        pool.jobs.pop_front();
        ++pool.running;
        lock.unlock();
        job();
        job = nullptr;  // what the job holds goes before the pool hears it is done
        lock.lock();
        --pool.running;
        pool.changed.notify_all();
    }
}

// Runs the lane's jobs one after the other until it is empty.
void Drain(WorkerPool& pool, Lane& lane) {
    for (;;) {
        std::function<void()> job;
        {
            const std::lock_guard lock(pool.mutex);
            if (lane.queue.empty()) {
                lane.busy = false;
                return;
            }
            job = std::move(lane.queue.front());
            lane.queue.pop_front();
        }
        job();
    }
}

}  // namespace

WorkerPool::WorkerPool(int threadCount) {
    for (int i = 0; i < std::max(1, threadCount); ++i) threads.emplace_back([this] { Work(*this); });
}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    for (std::thread& thread : threads) thread.join();
}

int DefaultWorkerCount() { return std::max(1, int(std::thread::hardware_concurrency())); }

void Submit(WorkerPool& pool, std::function<void()> job) {
    {
        const std::lock_guard lock(pool.mutex);
        pool.jobs.push_back(std::move(job));
    }
    pool.changed.notify_all();
}

void SubmitInOrder(WorkerPool& pool, Lane& lane, std::function<void()> job) {
    {
        const std::lock_guard lock(pool.mutex);
        lane.queue.push_back(std::move(job));
        if (lane.busy) return;
        lane.busy = true;
    }
    Submit(pool, [&pool, &lane] { Drain(pool, lane); });
}

void WaitIdle(WorkerPool& pool) {
    std::unique_lock lock(pool.mutex);
    pool.changed.wait(lock, [&] { return pool.jobs.empty() && pool.running == 0; });
}

void AcquireFrameSlot(WorkerPool& pool, int limit) {
    std::unique_lock lock(pool.mutex);
    pool.changed.wait(lock, [&] { return pool.pendingFrames < limit; });
    ++pool.pendingFrames;
}

void ReleaseFrameSlot(WorkerPool& pool) {
    {
        const std::lock_guard lock(pool.mutex);
        --pool.pendingFrames;
    }
    pool.changed.notify_all();
}
