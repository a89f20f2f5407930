#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Worker threads that run jobs, any of them in parallel, except that the jobs
// of one Lane run one at a time in the order they were given.
struct Lane {
    std::deque<std::function<void()>> queue;
    bool busy = false;  // a worker is draining the queue
};

struct WorkerPool {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> jobs;
    std::vector<std::thread> threads;
    int running = 0;  // jobs taken and not yet finished
    int pendingFrames = 0;
    bool stopping = false;

    explicit WorkerPool(int threadCount);
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;
    ~WorkerPool();
};

// One worker for every core the machine has, at least one.
int DefaultWorkerCount();

void Submit(WorkerPool& pool, std::function<void()> job);
void SubmitInOrder(WorkerPool& pool, Lane& lane, std::function<void()> job);
// Blocks until every job given so far has run.
void WaitIdle(WorkerPool& pool);

// Frames handed to the workers and not yet done with, so that the drawing
// stays only a few frames ahead of the encoders.
void AcquireFrameSlot(WorkerPool& pool, int limit);
void ReleaseFrameSlot(WorkerPool& pool);
