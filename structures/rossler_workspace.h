#pragma once

#include <memory>

struct RosslerWorker;

// Ends the worker's thread before its memory goes.
struct StopRosslerWorker {
    void operator()(RosslerWorker* worker) const;
};

// What the Rossler redraw keeps between redraws so that none of them
// allocates or starts a thread: the integration thread and its buffers,
// made on first use. Holds no picture state, so a copy starts empty.
struct RosslerWorkspace {
    RosslerWorkspace() = default;
    RosslerWorkspace(const RosslerWorkspace&) {}
    RosslerWorkspace& operator=(const RosslerWorkspace&) { return *this; }
    RosslerWorkspace(RosslerWorkspace&&) noexcept = default;
    RosslerWorkspace& operator=(RosslerWorkspace&&) noexcept = default;

    std::unique_ptr<RosslerWorker, StopRosslerWorker> worker;
};
