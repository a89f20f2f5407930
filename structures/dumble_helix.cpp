// Dumble and Liniar Helix.
#include <cmath>

#include "generators.h"
#include "polyline.h"

void DrawDumble(Scene& scene) {
    const float a = StoreFloat(std::sin(double(scene.view.AnimTime)) * 0.1 + 0.3);
    const GridLoops loops{.aOuter = {0.001f, 6.283f, 0.3f},  // profiles: φ outer
                          .bInner = {-1.57f, 1.57f, 0.1f},
                          .bOuter = {-1.57f, 1.57f, 0.3f},  // rings: t outer
                          .aInner = {0.001f, 6.683f, 0.3f}};
    DrawGrid(scene, loops, [a](float phi, float t) {
        const double radius = a * std::sin(2 * double(t));  // negative below the waist: far side of the axis
        return MakeVec(StoreFloat(radius * std::cos(double(phi))), StoreFloat(radius * std::sin(double(phi))),
                       StoreFloat(std::sin(double(t)) * 0.7));
    });
}

void DrawLinearHelix(Scene& scene) {
    const float w = StoreFloat(std::sin(double(scene.view.AnimTime) + 1.57) + 0.001);
    const GridLoops loops{.aOuter = {-6.283f, 6.283f, 0.2f},  // rungs: s outer
                          .bInner = {-0.305f, 0.305f, 0.1f},
                          .bOuter = {-0.305f, 0.305f, 0.1f},  // helices: r outer
                          .aInner = {-6.283f, 6.283f, 0.2f}};
    DrawGrid(scene, loops, [w](float s, float r) {
        const double turn = double(s) * w;
        return MakeVec(StoreFloat(r * std::cos(turn)), StoreFloat(r * std::sin(turn)), StoreFloat(s / 6.283 * 0.8));
    });
}
