#pragma once

#include "vec3.h"

// A point of a tube's spine and the tube radius there.
struct CurvePoint {
    Vec3 c;
    float r = 0;
};

using TubeCurve = CurvePoint (*)(float t);

CurvePoint ShellCurve(float t);
CurvePoint RossetCurve(float t);

// The point at angle theta on the tube's cross-section at t, placed in the
// plane normal to the curve's tangent.
Vec3 TubePoint(TubeCurve curve, float t, float theta);
