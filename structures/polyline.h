#pragma once

#include "float_loop.h"
#include "scene.h"

// One open polyline over a float loop: each new point is joined to the one
// before it, the new point first. Nothing joins the last point to the first.
template <class PointAt>
void DrawPolyline(Scene& scene, FloatRange range, PointAt&& pointAt) {
    bool started = false;
    Vec3 previous;
    ForFloat(range, [&](float u) {
        const Vec3 point = pointAt(u);
        if (started) DrawSegment(scene.tools, point, previous, ViewAngles(scene));
        previous = point;
        started = true;
    });
}

// One family of curves: the outer loop picks the curve, the inner loop walks
// it. innerFor gives the inner range for an outer value.
template <class InnerFor, class PointAt>
void DrawCurveFamily(Scene& scene, FloatRange outer, InnerFor&& innerFor, PointAt&& pointAt) {
    ForFloat(outer, [&](float a) {
        DrawPolyline(scene, innerFor(a), [&](float b) { return pointAt(a, b); });
    });
}

template <class PointAt>
void DrawCurveFamily(Scene& scene, FloatRange outer, FloatRange inner, PointAt&& pointAt) {
    DrawCurveFamily(scene, outer, [inner](float) { return inner; }, pointAt);
}

// Both families of a two-parameter grid: first a outer and b inner, then b
// outer and a inner. pointAt always takes (a, b).
struct GridLoops {
    FloatRange aOuter, bInner;  // family A
    FloatRange bOuter, aInner;  // family B
};

template <class PointAt>
void DrawGrid(Scene& scene, GridLoops loops, PointAt&& pointAt) {
    DrawCurveFamily(scene, loops.aOuter, loops.bInner, pointAt);
    DrawCurveFamily(scene, loops.bOuter, loops.aInner, [&](float b, float a) { return pointAt(a, b); });
}
