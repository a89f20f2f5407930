// Sphere-Torus Transformation: a sphere and a torus blended by the time.
#include <cmath>

#include "generators.h"
#include "polyline.h"

void DrawSphereTorus(Scene& scene) {
    constexpr float R = 0.3f;  // sphere radius
    const double sphereWeight = std::cos(double(scene.view.AnimTime));
    const double torusWeight = std::sin(double(scene.view.AnimTime));
    const GridLoops loops{.aOuter = {0.001f, 6.28f, 0.3f},  // θ curves: φ outer
                          .bInner = {0.001f, 6.28f, 0.2f},
                          .bOuter = {0.001f, 6.28f, 0.3f},  // φ curves: θ outer
                          .aInner = {0.001f, 6.28f, 0.2f}};
    DrawGrid(scene, loops, [=](float phi, float theta) {
        const double sinTheta = std::sin(double(theta)), cosTheta = std::cos(double(theta));
        const double cosPhi = std::cos(double(phi)), sinPhi = std::sin(double(phi));
        const double ring = cosTheta * 0.2 + 0.7;
        return MakeVec(StoreFloat(sphereWeight * R * sinTheta * cosPhi + ring * torusWeight * cosPhi),
                       StoreFloat(sphereWeight * R * sinTheta * sinPhi + ring * torusWeight * sinPhi),
                       StoreFloat(sphereWeight * R * cosTheta + torusWeight * 0.2 * sinTheta));
    });
}
