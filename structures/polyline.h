#pragma once

#include "float_loop.h"
#include "scene.h"

// How a polyline hands over a segment (new point first): straight to
// DrawSegment, unless a generator wraps the call.
struct PlainSegments {
    void operator()(Scene& scene, Vec3 point, Vec3 previous) const {
        DrawSegment(scene.tools, point, previous, ViewAngles(scene));
    }
};

// One open polyline over a float loop: each new point is joined to the one
// before it. Nothing joins the last point to the first.
template <class PointAt, class Segments = PlainSegments>
void DrawPolyline(Scene& scene, FloatRange range, PointAt&& pointAt, Segments segments = {}) {
    bool started = false;
    Vec3 previous;
    ForFloat(range, [&](float u) {
        const Vec3 point = pointAt(u);
        if (started) segments(scene, point, previous);
        previous = point;
        started = true;
    });
}

// One family of curves: the outer loop picks the curve, the inner loop walks
// it. innerFor gives the inner range for an outer value.
template <class InnerFor, class PointAt, class Segments = PlainSegments>
void DrawCurveFamily(Scene& scene, FloatRange outer, InnerFor&& innerFor, PointAt&& pointAt, Segments segments = {}) {
    ForFloat(outer, [&](float a) {
        DrawPolyline(
            scene, innerFor(a), [&](float b) { return pointAt(a, b); }, segments);
    });
}

template <class PointAt, class Segments = PlainSegments>
void DrawCurveFamily(Scene& scene, FloatRange outer, FloatRange inner, PointAt&& pointAt, Segments segments = {}) {
    DrawCurveFamily(
        scene, outer, [inner](float) { return inner; }, pointAt, segments);
}

// Both families of a two-parameter grid: first a outer and b inner, then b
// outer and a inner. pointAt always takes (a, b).
struct GridLoops {
    FloatRange aOuter, bInner;  // family A
    FloatRange bOuter, aInner;  // family B
};

template <class PointAt, class Segments = PlainSegments>
void DrawGrid(Scene& scene, GridLoops loops, PointAt&& pointAt, Segments segments = {}) {
    DrawCurveFamily(scene, loops.aOuter, loops.bInner, pointAt, segments);
    DrawCurveFamily(
        scene, loops.bOuter, loops.aInner, [&](float b, float a) { return pointAt(a, b); }, segments);
}
