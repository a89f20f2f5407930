// Whirlpool and Spring.
#include <cmath>

#include "generators.h"
#include "polyline.h"

void DrawWhirlpool(Scene& scene) {
    const double twist = std::sin(double(scene.view.AnimTime));
    const GridLoops loops{.aOuter = {0.001f, 6.283f, 0.05f},  // spokes: φ outer
                          .bInner = {0.001f, 0.8f, 0.2f},
                          .bOuter = {0.001f, 0.8f, 0.2f},  // rings: r outer
                          .aInner = {0.001f, 6.383f, 0.1f}};
    DrawGrid(scene, loops, [twist](float phi, float r) {
        const double wave = std::sin(5 * twist * r + phi * 5.0);
        return MakeVec(StoreFloat(r * std::cos(double(phi))), StoreFloat(r * std::sin(double(phi))),
                       StoreFloat(r * 0.4 * wave));
    });
}

void DrawSpring(Scene& scene) {
    const float k = StoreFloat(std::sin(double(scene.view.AnimTime)) * 0.1 + 0.3);
    const GridLoops loops{.aOuter = {-10.1f, 10.1f, 0.5f},  // cross-sections: u outer
                          .bInner = {0.001f, 6.683f, 0.5f},
                          .bOuter = {0.001f, 6.283f, 0.7f},  // coil lines: v outer
                          .aInner = {-10.1f, 10.1f, 0.3f}};
    DrawGrid(scene, loops, [k](float u, float v) {
        const double ring = std::cos(double(v)) * 0.05 + 0.2;
        return MakeVec(StoreFloat(ring * std::cos(double(u))), StoreFloat(ring * std::sin(double(u))),
                       StoreFloat(double(u) * k / 6.283 + std::sin(double(v)) * 0.05));
    });
}
