// Sphere (pulsing with the time) and Torus.
#include <cmath>

#include "generators.h"
#include "polyline.h"

void DrawSphere(Scene& scene) {
    const float r = StoreFloat((std::sin(double(scene.view.AnimTime)) + 2) * 0.3);
    const GridLoops loops{.aOuter = {0.001f, 6.28f, 0.3f},  // meridians: φ outer
                          .bInner = {0.001f, 3.14f, 0.2f},
                          .bOuter = {0.001f, 3.14f, 0.3f},  // parallels: θ outer
                          .aInner = {0.001f, 6.28f, 0.2f}};
    DrawGrid(scene, loops, [r](float phi, float theta) {
        return MakeVec(StoreFloat(r * std::sin(double(theta)) * std::cos(double(phi))),
                       StoreFloat(r * std::sin(double(theta)) * std::sin(double(phi))),
                       StoreFloat(r * std::cos(double(theta))));
    });
}

void DrawTorus(Scene& scene) {
    const GridLoops loops{.aOuter = {0.001f, 6.283f, 0.15f},  // tube circles: φ outer
                          .bInner = {0.001f, 6.683f, 0.3f},
                          .bOuter = {0.001f, 6.283f, 0.5f},  // rings about Z: θ outer
                          .aInner = {0.001f, 6.683f, 0.2f}};
    DrawGrid(scene, loops, [](float phi, float theta) {
        const double ring = std::cos(double(theta)) * 0.2 + 0.7;
        return MakeVec(StoreFloat(ring * std::cos(double(phi))), StoreFloat(ring * std::sin(double(phi))),
                       StoreFloat(std::sin(double(theta)) * 0.2));
    });
}
