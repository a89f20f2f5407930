// Ripple and Web: spokes first, then circles.
#include <cmath>

#include "generators.h"
#include "polyline.h"

namespace {

constexpr FloatRange SpokeAngles{0.001f, 6.283f, 0.6283f};  // just under a tenth of a turn
constexpr FloatRange CircleAngles{0.001f, 6.283f, 0.157f};

Vec3 WebPoint(float theta, float rho) {
    const double sectors = double(theta) / 0.6283;
    const float f = StoreFloat(sectors - std::floor(sectors));            // place inside the sector
    const float g = StoreFloat((double(f) - 1) * (double(f) * 0.5) + 1);  // sag between spokes
    const float r = StoreFloat((double(rho) * 0.1 * f + rho) * (std::sin(double(theta) * 3.6) * 0.1 + 1) * g);
    return MakeVec(
        StoreFloat(double(r) * std::cos(double(theta))), StoreFloat(double(r) * std::sin(double(theta))),
        StoreFloat((1 - double(g)) * (double(rho) * 0.5) + double(rho) * 0.2 * std::sin(double(theta) + theta + 1.2)));
}

// The radii a Web spoke walks at angle theta: out to its end radius, which
// swings with the angle so that some spokes get one or two points fewer.
FloatRange WebSpokeRadii(float theta) { return {0.001f, StoreFloat(std::cos(double(theta) * 2.4) * 0.1 + 1), 0.1f}; }

}  // namespace

void DrawRipple(Scene& scene) {
    const float decay = -3.0f, waveNumber = 30.0f, speed = 10.0f;
    const auto pointAt = [&](float theta, float rho) {
        const double t = scene.view.AnimTime;
        const double z =
            std::exp(double(rho) * decay * rho) * 0.08 * std::cos(double(rho) * waveNumber * rho - t * speed);
        return MakeVec(StoreFloat(double(rho) * std::cos(double(theta))),
                       StoreFloat(double(rho) * std::sin(double(theta))), StoreFloat(z));
    };
    DrawGrid(scene,
             {.aOuter = SpokeAngles,
              .bInner = {0.001f, 0.8f, 0.03f},
              .bOuter = {0.001f, 0.8f, 0.02f},
              .aInner = CircleAngles},
             pointAt);
}

void DrawWeb(Scene& scene) {
    DrawCurveFamily(scene, SpokeAngles, WebSpokeRadii, WebPoint);
    DrawCurveFamily(scene, {0.001f, 0.8f, 0.1f}, CircleAngles,
                    [](float rho, float theta) { return WebPoint(theta, rho); });
}
