#pragma once

#include "rossler_lanes.h"
#include "scene.h"

// DrawRossler integrates the trajectories side by side on a worker thread (or
// block by block in the drawing thread where there is none) and draws them
// in order; these give the same segments, the same picture and the
// same random source state by the straightforward route.

// One trajectory after another, each step drawn as it is computed.
void DrawRosslerSequential(Scene& scene);

// The trajectories from given start points: the fast route and the
// straightforward one. `finished` counts the trajectories drawn completely,
// also when a run-time error ends the drawing.
void DrawRosslerTrajectories(Scene& scene, const RosslerStarts& starts, int& finished);
void DrawRosslerTrajectoriesSequential(Scene& scene, const RosslerStarts& starts, int& finished);
