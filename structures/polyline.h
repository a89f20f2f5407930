#pragma once

#include "float_loop.h"
#include "scene.h"

// How a polyline's points are handed on, in order: by default as one chain
// (DrawSegmentChain), in pieces that each start from the last point of the
// piece before, so a chain of any length fits this much room.
struct PolylineChain {
    static constexpr int Piece = 64;
    Vec3 points[Piece];
    int count = 0;

    void Add(Scene& scene, Vec3 point) {
        if (count == Piece) {
            Finish(scene);
            points[0] = points[Piece - 1], count = 1;
        }
        points[count++] = point;
    }
    void Finish(Scene& scene) {
        if (count > 1) DrawSegmentChain(scene.tools, points, count, ViewAngles(scene));  // angles as a segment has them
    }
};

// One open polyline over a float loop: each new point is joined to the one
// before it. Nothing joins the last point to the first. `hand` takes the
// points; the segments before a point that raises are drawn before the
// error goes on (or the error of one of them, which comes first).
template <class PointAt, class Hand = PolylineChain>
void DrawPolyline(Scene& scene, FloatRange range, PointAt&& pointAt, Hand hand = {}) {
    try {
        ForFloat(range, [&](float u) { hand.Add(scene, pointAt(u)); });
    } catch (...) {
        hand.Finish(scene);
        throw;
    }
    hand.Finish(scene);
}

// One family of curves: the outer loop picks the curve, the inner loop walks
// it. innerFor gives the inner range for an outer value.
template <class InnerFor, class PointAt, class Hand = PolylineChain>
void DrawCurveFamily(Scene& scene, FloatRange outer, InnerFor&& innerFor, PointAt&& pointAt, Hand hand = {}) {
    ForFloat(outer, [&](float a) {
        DrawPolyline(
            scene, innerFor(a), [&](float b) { return pointAt(a, b); }, hand);
    });
}

template <class PointAt, class Hand = PolylineChain>
void DrawCurveFamily(Scene& scene, FloatRange outer, FloatRange inner, PointAt&& pointAt, Hand hand = {}) {
    DrawCurveFamily(
        scene, outer, [inner](float) { return inner; }, pointAt, hand);
}

// Both families of a two-parameter grid: first a outer and b inner, then b
// outer and a inner. pointAt always takes (a, b).
struct GridLoops {
    FloatRange aOuter, bInner;  // family A
    FloatRange bOuter, aInner;  // family B
};

template <class PointAt, class Hand = PolylineChain>
void DrawGrid(Scene& scene, GridLoops loops, PointAt&& pointAt, Hand hand = {}) {
    DrawCurveFamily(scene, loops.aOuter, loops.bInner, pointAt, hand);
    DrawCurveFamily(
        scene, loops.bOuter, loops.aInner, [&](float b, float a) { return pointAt(a, b); }, hand);
}
