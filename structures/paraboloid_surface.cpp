// paraboloid and surface.
#include <cmath>

#include "generators.h"
#include "polyline.h"

namespace {

// Runs one statement of the paraboloid; a run-time error abandons only that
// statement, and whatever it would have stored keeps its previous value.
template <class Statement>
void RunSkippingErrors(Statement&& statement) {
    try {
        statement();
    } catch (const RunTimeError&) {
    }
}

double CheckedDouble(double value) {
    if (!std::isfinite(value)) RaiseFloatingPointError();
    return value;
}

// Each segment is a statement of its own: when it fails, the next point
// still joins the point whose segment failed. Angles that fail fail every
// segment alike.
void DrawChainSkippingErrors(Scene& scene, const Vec3* points, int count) {
    RunSkippingErrors([&] { DrawSegmentChainSkippingErrors(scene.tools, points, count, ViewAngles(scene)); });
}

}  // namespace

void DrawParaboloid(Scene& scene) {
    double k = 0;  // breathing factor, read once per picture
    RunSkippingErrors([&] { k = CheckedDouble(1 + 0.6 * std::sin(double(scene.view.AnimTime))); });

    float s = 0, y = 0, z = 0;  // a failed statement leaves the last point's value
    const auto pointAt = [&](float theta, float r) {
        RunSkippingErrors([&] { s = StoreFloat(double(r) * (double(r) * k) + 0.1); });
        RunSkippingErrors([&] { y = StoreFloat(double(s) * std::cos(double(theta))); });
        RunSkippingErrors([&] { z = StoreFloat(double(s) * std::sin(double(theta))); });
        return MakeVec(r, y, z);
    };
    const float rStart = StoreFloat(-0.6);
    const GridLoops loops{.aOuter = {0.001f, 6.283f, 0.3f},  // profile lines: θ outer
                          .bInner = {rStart, 0.6f, 0.1f},
                          .bOuter = {rStart, 0.6f, 0.1f},  // circles: r outer
                          .aInner = {0.001f, 6.683f, 0.3f}};
    DrawGrid(scene, loops, pointAt, DrawChainSkippingErrors);
}

void DrawSurface(Scene& scene) {
    const GridLoops loops{.aOuter = {-0.5f, 0.5f, 0.05f},  // lines of constant x: u outer
                          .bInner = {-0.5f, 0.5f, 0.02f},
                          .bOuter = {-0.5f, 0.5f, 0.05f},  // lines of constant y: v outer
                          .aInner = {-0.5f, 0.5f, 0.02f}};
    DrawGrid(scene, loops, [](float u, float v) { return MakeVec(u, v, StoreFloat(double(u) * v)); });
}
