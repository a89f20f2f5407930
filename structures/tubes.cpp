// Shell and Rosset: tubes swept along a space curve.
#include <array>
#include <cmath>

#include "generators.h"
#include "polyline.h"

namespace {

// A point of a tube's spine and the tube radius there.
struct CurvePoint {
    Vec3 c;
    float r = 0;
};

using TubeCurve = CurvePoint (*)(float t);

// The tube's cross-section at t: centre c and the two (unnormalised) axes a
// and b of the plane normal to the curve's tangent, with the radius r.
struct TubeFrame {
    Vec3 c, a, b;
    float r = 0;
};

// An angle around the tube as its rounded cosine and sine.
struct TubeAngle {
    float cos = 1, sin = 0;
};

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

TubeFrame FrameAt(TubeCurve curve, float t) {
    const Vec3 c = curve(t).c;
    const CurvePoint ahead = curve(StoreFloat(double(t) + 0.001f));
    const Vec3 tangent = VecSub(ahead.c, c);
    const float k = StoreFloat(1.0 / VecLength(tangent));
    const Vec3 u = VecScale(k, tangent);
    const Vec3 a = VecCross(MakeVec(0, 0, 1), u);  // not normalised: |a| = sine of the tilt from z
    return {c, a, VecCross(u, a), ahead.r};
}

TubeAngle AngleOf(float theta) { return {StoreFloat(std::cos(double(theta))), StoreFloat(std::sin(double(theta)))}; }

// The point at an angle on a cross-section.
Vec3 PointOnFrame(const TubeFrame& frame, TubeAngle angle) {
    const Vec3 w = VecAdd(VecScale(angle.cos, frame.a), VecScale(angle.sin, frame.b));
    return VecAdd(frame.c, VecScale(frame.r, w));
}

constexpr float TStart = -0.1f;

void DrawSpine(Scene& scene, TubeCurve curve, float tEnd) {
    SetLineColour(scene.tools, 1, 0.5f, 0.2f);
    ForFloat({TStart, tEnd, 0.2f}, [&](float t) {
        const float u = StoreFloat(double(t) + 0.2);
        DrawSegment(scene.tools, curve(t).c, curve(u).c, ViewAngles(scene));
    });
    SetLineColour(scene.tools, 1, 1, 1);
}

constexpr int MaxLineSteps = 200;  // passes of the 0.2 loop up to the longest tEnd

// A cross-section depends on t alone and a line along the tube on θ alone,
// so each is worked out once: per ring, and once for all nine lines.
void DrawTube(Scene& scene, TubeCurve curve, float tEnd) {
    DrawSpine(scene, curve, tEnd);
    TubeFrame ring;
    DrawCurveFamily(
        scene, {TStart, tEnd, 0.5f},  // rings: t outer
        [&](float t) {
            ring = FrameAt(curve, t);
            return FloatRange{0.001f, 6.683f, 0.5f};
        },
        [&](float, float theta) { return PointOnFrame(ring, AngleOf(theta)); });

    const FloatRange along{TStart, tEnd, 0.2f};
    std::array<TubeFrame, MaxLineSteps> frames;
    int step = 0;
    ForFloat(along, [&](float t) { frames.at(step++) = FrameAt(curve, t); });
    TubeAngle line;
    DrawCurveFamily(
        scene, {0.001f, 6.283f, 0.7f},  // lines along the tube: θ outer
        [&](float theta) {
            line = AngleOf(theta), step = 0;
            return along;
        },
        [&](float, float) { return PointOnFrame(frames[step++], line); });
}

}  // namespace

void DrawShell(Scene& scene) { DrawTube(scene, ShellCurve, 20.1f); }

void DrawRosset(Scene& scene) { DrawTube(scene, RossetCurve, 37.7f); }
