// Sepal, Ball and Hulos: one open curve each over the same parameter range.
#include <cmath>

#include "generators.h"
#include "polyline.h"

namespace {

constexpr FloatRange CurveRange{0.001f, 6.28f, 0.02f};

}  // namespace

void DrawSepal(Scene& scene) {
    const float n = 12.0f;  // petals
    const float half = 2.0f;
    DrawPolyline(scene, CurveRange, [=](float u) {
        const double petal = std::sin(double(u) * n / half);
        return MakeVec(StoreFloat(petal * 0.5 * std::cos(double(u))), StoreFloat(std::sin(double(u)) * 0.5 * petal),
                       StoreFloat(std::cos(double(u) * n) * 0.4));
    });
}

void DrawBall(Scene& scene) {
    const float n = 10.0f;  // loops through the poles
    DrawPolyline(scene, CurveRange, [=](float u) {
        return MakeVec(StoreFloat(std::cos(double(u)) * 0.5 * std::cos(double(u) * n)),
                       StoreFloat(std::sin(double(u)) * 0.5 * std::cos(double(u) * n)),
                       StoreFloat(std::sin(double(u) * n) * 0.4));
    });
}

void DrawHulos(Scene& scene) {
    const float fy = 6.0f, fz = 8.0f;
    DrawPolyline(scene, CurveRange, [=](float u) {
        return MakeVec(StoreFloat(std::sin(double(u)) * 0.5), StoreFloat(std::sin(double(fy) * u) * 0.2),
                       StoreFloat(std::sin(double(fz) * u) * 0.3));
    });
}
