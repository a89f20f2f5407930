#pragma once

#include "float_loop.h"
#include "scene.h"

// How a generator's polylines reach the drawing core: in pieces of points,
// each joined up in order. By default as one chain (DrawSegmentChain), with
// the angles each segment would be handed.
using DrawPiece = void (*)(Scene& scene, const Vec3* points, int count);

inline void DrawChain(Scene& scene, const Vec3* points, int count) {
    DrawSegmentChain(scene.tools, points, count, ViewAngles(scene));
}

// The most points handed over at once: a longer polyline goes in pieces,
// each starting from the last point of the piece before.
inline constexpr int PolylinePiece = 64;

// One open polyline over a float loop: each new point is joined to the one
// before it. Nothing joins the last point to the first. When a point raises,
// the segments before it are drawn first, as they would be one by one, and
// an error of theirs is the one raised.
template <class PointAt>
void DrawPolyline(Scene& scene, FloatRange range, PointAt&& pointAt, DrawPiece draw = DrawChain) {
    Vec3 points[PolylinePiece];
    int count = 0;
    const auto drawPoints = [&] {
        if (count > 1) draw(scene, points, count);
    };
    try {
        ForFloat(range, [&](float u) {
            if (count == PolylinePiece) drawPoints(), points[0] = points[count - 1], count = 1;
            points[count++] = pointAt(u);
        });
    } catch (...) {
        drawPoints();
        throw;
    }
    drawPoints();
}

// One family of curves: the outer loop picks the curve, the inner loop walks
// it. innerFor gives the inner range for an outer value.
template <class InnerFor, class PointAt>
void DrawCurveFamily(Scene& scene, FloatRange outer, InnerFor&& innerFor, PointAt&& pointAt,
                     DrawPiece draw = DrawChain) {
    ForFloat(outer, [&](float a) {
        DrawPolyline(
            scene, innerFor(a), [&](float b) { return pointAt(a, b); }, draw);
    });
}

template <class PointAt>
void DrawCurveFamily(Scene& scene, FloatRange outer, FloatRange inner, PointAt&& pointAt, DrawPiece draw = DrawChain) {
    DrawCurveFamily(
        scene, outer, [inner](float) { return inner; }, pointAt, draw);
}

// Both families of a two-parameter grid: first a outer and b inner, then b
// outer and a inner. pointAt always takes (a, b).
struct GridLoops {
    FloatRange aOuter, bInner;  // family A
    FloatRange bOuter, aInner;  // family B
};

template <class PointAt>
void DrawGrid(Scene& scene, GridLoops loops, PointAt&& pointAt, DrawPiece draw = DrawChain) {
    DrawCurveFamily(scene, loops.aOuter, loops.bInner, pointAt, draw);
    DrawCurveFamily(
        scene, loops.bOuter, loops.aInner, [&](float b, float a) { return pointAt(a, b); }, draw);
}
