#pragma once

// What the steps of a segment hand on to each other: a polyline goes through
// them in batches. Segment j of a batch joins end j + 1 (its first point, the
// newer) to end j (its second), as DrawSegment(points[j + 1], points[j]).
#include <cstdint>

#include "tools3d.h"

// What the colour step hands to the canvases and the log: each segment's
// screen points, brightness and pixel, and its model points for the log.
struct ColouredSegments {
    const Vec3* points;  // count + 1 of them
    const float* x;      // screen points, count + 1 of each
    const float* y;
    const float* brightness;  // count of each
    const std::uint32_t* pixel;
    int count;
};

// One batch as the fast kernels fill it: the transform step writes the ends,
// the colour step the segments. A kernel reads whole registers of lanes,
// so the arrays have room past the last end, and the ends there hold
// padding: zeros, which every step takes without a failure.
struct Batch {
    static constexpr int Segments = 32;
    static constexpr int Room = Segments + 8;

    alignas(32) double depth[Room];  // each a float, kept as the double it converts to
    alignas(32) float screenX[Room], screenY[Room];
    alignas(32) float brightness[Room];
    alignas(32) std::uint32_t pixel[Room];
    const Vec3* points = nullptr;  // the batch's first point is the end it starts from
    int count = 0;                 // segments

    ColouredSegments Coloured() const { return {points, screenX, screenY, brightness, pixel, count}; }
};

// Zeros for the ends from count + 1 on that a register of `lanes` reads.
inline void PadEnds(Batch& b, int lanes) {
    for (int k = b.count + 1; k < b.count + lanes; ++k) b.depth[k] = 0, b.screenX[k] = 0, b.screenY[k] = 0;
}
