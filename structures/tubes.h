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

// The tube's cross-section at t: centre c and the two (unnormalised) axes a
// and b of the plane normal to the curve's tangent, with the radius r.
struct TubeFrame {
    Vec3 c, a, b;
    float r = 0;
};

TubeFrame FrameAt(TubeCurve curve, float t);

// An angle around the tube as its rounded cosine and sine.
struct TubeAngle {
    float cos = 1, sin = 0;
};

TubeAngle AngleOf(float theta);

// The point at an angle on a cross-section.
Vec3 PointOnFrame(const TubeFrame& frame, TubeAngle angle);
