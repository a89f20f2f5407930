// Shell and Rosset: tubes swept along a space curve.
#include "tubes.h"

#include <cmath>

#include "generators.h"
#include "polyline.h"

CurvePoint ShellCurve(float t) {
    const double tt = t;
    return {MakeVec(StoreFloat(0.05 * std::sin(tt)), StoreFloat(0.05 * std::cos(tt)), StoreFloat(0.05 * tt - 0.5)),
            StoreFloat(0.01 * tt)};
}

CurvePoint RossetCurve(float t) {
    const double tt = t;
    const double turn = tt / 6.0f;  // turns the plane of the oscillation about x
    return {MakeVec(StoreFloat(0.3 * std::cos(tt)), StoreFloat(std::sin(tt) * 0.5 * std::cos(turn)),
                    StoreFloat(std::sin(tt) * 0.5 * std::sin(turn))),
            StoreFloat(0.08 * std::sin(tt))};
}

Vec3 TubePoint(TubeCurve curve, float t, float theta) {
    const Vec3 c = curve(t).c;
    const CurvePoint ahead = curve(StoreFloat(double(t) + 0.001f));
    const Vec3 tangent = VecSub(ahead.c, c);
    const float k = StoreFloat(1.0 / VecLength(tangent));
    const Vec3 u = VecScale(k, tangent);
    const Vec3 a = VecCross(MakeVec(0, 0, 1), u);  // not normalised: |a| = sine of the tilt from z
    const Vec3 b = VecCross(u, a);
    const float cosTheta = StoreFloat(std::cos(double(theta)));
    const float sinTheta = StoreFloat(std::sin(double(theta)));
    const Vec3 w = VecAdd(VecScale(cosTheta, a), VecScale(sinTheta, b));
    return VecAdd(c, VecScale(ahead.r, w));
}

namespace {

constexpr float TStart = -0.1f;

void DrawSpine(Scene& scene, TubeCurve curve, float tEnd) {
    SetLineColour(scene.tools, 1, 0.5f, 0.2f);
    ForFloat({TStart, tEnd, 0.2f}, [&](float t) {
        const float u = StoreFloat(double(t) + 0.2);
        DrawSegment(scene.tools, curve(t).c, curve(u).c, ViewAngles(scene));
    });
    SetLineColour(scene.tools, 1, 1, 1);
}

void DrawTube(Scene& scene, TubeCurve curve, float tEnd) {
    DrawSpine(scene, curve, tEnd);
    DrawCurveFamily(scene, {TStart, tEnd, 0.5f}, {0.001f, 6.683f, 0.5f},  // rings: t outer
                    [curve](float t, float theta) { return TubePoint(curve, t, theta); });
    DrawCurveFamily(scene, {0.001f, 6.283f, 0.7f}, {TStart, tEnd, 0.2f},  // lines along: θ outer
                    [curve](float theta, float t) { return TubePoint(curve, t, theta); });
}

}  // namespace

void DrawShell(Scene& scene) { DrawTube(scene, ShellCurve, 20.1f); }

void DrawRosset(Scene& scene) { DrawTube(scene, RossetCurve, 37.7f); }
