// Rossler Chaos: twenty Euler-integrated trajectories from random starts.
#include "generators.h"

namespace {

constexpr int Trajectories = 20;
constexpr int Steps = 100000;
constexpr int SampleEvery = 5;
constexpr float C = 5.7f;        // the system's c
constexpr float ADivisor = 5.0f;  // a = 0.2, applied as y / 5
constexpr float H = 0.01f;       // Euler step
constexpr float Scale = 30.0f;   // drawing scale divisor

Vec3 Scaled(float x, float y, float z) {
    return MakeVec(StoreFloat(double(x) / Scale), StoreFloat(double(y) / Scale), StoreFloat(double(z) / Scale));
}

}  // namespace

void DrawRossler(Scene& scene) {
    for (int k = 1; k <= Trajectories; ++k) {
        float x = StoreFloat(2.0 * NextRandom(scene.random) - 1);
        float y = StoreFloat(2.0 * NextRandom(scene.random) - 1);
        float z = StoreFloat(2.0 * NextRandom(scene.random) - 1);
        float px = x, py = y, pz = z;
        for (int i = 1; i <= Steps; ++i) {
            const float dx = StoreFloat(-(double(y) + z));
            const float dy = StoreFloat(double(y) / ADivisor + x);
            const float dz = StoreFloat((double(x) - C) * z + 0.2);
            x = StoreFloat(double(x) + double(H) * dx);
            y = StoreFloat(double(y) + double(H) * dy);
            z = StoreFloat(double(z) + double(H) * dz);
            if (i % SampleEvery == 0) {
                DrawSegment(scene.tools, Scaled(x, y, z), Scaled(px, py, pz), ViewAngles(scene));
                px = x, py = y, pz = z;
            }
        }
    }
}
