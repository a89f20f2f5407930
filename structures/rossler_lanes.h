#pragma once

// The Rossler trajectories integrated side by side, four to a vector, with
// exactly the rounding of the one-at-a-time loop: every value is a float
// held in a double lane and rounded to float where the loop stores one.
#include <array>

#include "rossler_step.h"
#include "simd_level.h"
#include "vec3.h"

inline constexpr int RosslerTrajectories = 20;
inline constexpr int RosslerSamples = 20000;  // segments per trajectory
inline constexpr int RosslerSampleEvery = 5;  // Euler steps per segment
inline constexpr int RosslerGroupSize = 4;    // trajectories integrated in one register chain
inline constexpr int RosslerGroups = RosslerTrajectories / RosslerGroupSize;

// Start points, unscaled, in drawing order.
using RosslerStarts = std::array<Vec3, RosslerTrajectories>;

// The state of every trajectory between two calls of AdvanceLanes.
struct RosslerLanes {
    alignas(32) double x[RosslerTrajectories], y[RosslerTrajectories], z[RosslerTrajectories];
};

// Advances the trajectories of `groups` groups from `firstGroup` on by
// `samples` samples and writes each sample, the state divided by 30, to
// out[trajectory * stride + i], i = 0 .. samples - 1. Non-finite values raise
// nothing here: they stay non-finite, and the caller tests the state afterwards.
// `level` picks the kernel; every level gives the same values.
void AdvanceLanes(RosslerLanes& lanes, int firstGroup, int groups, int samples, Vec3* out, int stride, SimdLevel level);

// The drawing scale: one coordinate of a sample point.
inline float RosslerScaled(float v) { return static_cast<float>(double(v) / RosslerScale); }
