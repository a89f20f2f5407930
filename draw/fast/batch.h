#pragma once

// What the steps of a segment hand on to each other: a polyline goes through
// them in batches. Segment j of a batch joins end j + 1 (its first point, the
// newer) to end j (its second), as DrawSegment(points[j + 1], points[j]).
#include <cstdint>

#include "tools3d.h"

// A polyline's segments by the plain route: how a batch the fast kernels are
// unsure of is drawn, so that its errors are raised, or skipped, where they
// arise (fast/plain_route.h). `colours` is one a point, or null.
using PlainChain = void (*)(Tools3D& tools, const Vec3* points, const PointColour* colours, int count);

// The chain kernels: a polyline's segments, through every step, by the
// kernels of one level or the plain route.
using ChainKernel = void (*)(Tools3D& tools, const Vec3* points, const PointColour* colours, int count,
                             PlainChain replay);

// What the colour step hands to the canvases and the log: each segment's
// screen points, brightness and pixel, and its model points for the log.
struct ColouredSegments {
    const Vec3* points;  // count + 1 of them
    const float* x;      // screen points, count + 1 of each and room for whole registers of them
    const float* y;
    const float* brightness;  // count of each
    const std::uint32_t* pixel;
    int count;
};

// One batch as the fast kernels fill it: the transform step writes the ends,
// the colour step the segments, whole registers of lanes at a time. The
// lanes past the last end hold zero points, which no step fails on.
struct Batch {
    static constexpr int Segments = 31;
    static constexpr int Ends = Segments + 1;  // whole registers at every level

    alignas(32) double depth[Ends];  // each a float, kept as the double it converts to
    alignas(32) float screenX[Ends], screenY[Ends];
    alignas(32) float brightness[Ends];
    alignas(32) std::uint32_t pixel[Ends];
    const Vec3* points = nullptr;
    const PointColour* colours = nullptr;  // the points' colours, where they are given
    int count = 0;                         // segments
    PlainChain replay = nullptr;

    ColouredSegments Coloured() const { return {points, screenX, screenY, brightness, pixel, count}; }
};
