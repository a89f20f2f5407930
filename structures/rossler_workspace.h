#pragma once

#include <memory>

struct RosslerWorker;

// Ends the worker's thread before its memory goes.
struct StopRosslerWorker {
    void operator()(RosslerWorker* worker) const;
};

// What the Rossler redraw keeps between redraws so that none of them
// allocates or starts a thread: the integration thread and its buffers,
// made on first use. Holds no picture state, so a copy starts without a worker.
struct RosslerWorkspace {
    RosslerWorkspace() = default;
    RosslerWorkspace(const RosslerWorkspace& other) : ownThread(other.ownThread) {}
    RosslerWorkspace& operator=(const RosslerWorkspace&) { return *this; }
    RosslerWorkspace(RosslerWorkspace&&) noexcept = default;
    RosslerWorkspace& operator=(RosslerWorkspace&&) noexcept = default;

    // False: the worker integrates in the drawing thread, as it does where
    // no thread can be started. Read when the worker is made.
    bool ownThread = true;
    std::unique_ptr<RosslerWorker, StopRosslerWorker> worker;
};
