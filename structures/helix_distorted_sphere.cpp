// Circular Helix and Destorted Sphere.
#include <cmath>

#include "generators.h"
#include "polyline.h"

void DrawCircularHelix(Scene& scene) {
    const float m = 3.0f;                                     // turns of the band around the circle
    const GridLoops loops{.aOuter = {0.001f, 6.283f, 0.09f},  // rungs: θ outer
                          .bInner = {-0.31f, 0.3f, 0.07f},
                          .bOuter = {-0.31f, 0.3f, 0.07f},  // helices: r outer
                          .aInner = {0.001f, 6.683f, 0.09f}};
    DrawGrid(scene, loops, [m](float theta, float r) {
        const double mTheta = double(m) * theta;
        return MakeVec(StoreFloat((r * std::cos(mTheta) + 0.7) * std::cos(double(theta))),
                       StoreFloat((r * std::cos(mTheta) + 0.7) * std::sin(double(theta))),
                       StoreFloat(r * std::sin(mTheta)));
    });
}

void DrawDistortedSphere(Scene& scene) {
    const GridLoops loops{.aOuter = {0.001f, 6.28f, 0.3f},  // meridians: φ outer
                          .bInner = {0.001f, 3.14f, 0.2f},
                          .bOuter = {0.001f, 3.14f, 0.3f},  // parallels: θ outer
                          .aInner = {0.001f, 6.28f, 0.2f}};
    DrawGrid(scene, loops, [&scene](float phi, float theta) {
        const double t = scene.view.AnimTime;
        const double wave =
            std::sin(double(3.0f) * phi + 5 * std::sin(t)) * 0.1 * std::cos(double(4.0f) * theta + 3 * std::cos(t));
        const float r = StoreFloat(0.6f * (1 + wave));
        return MakeVec(StoreFloat(r * std::sin(double(theta)) * std::cos(double(phi))),
                       StoreFloat(r * std::sin(double(theta)) * std::sin(double(phi))),
                       StoreFloat(r * std::cos(double(theta))));
    });
}
