// Nodes: 21 points from the random source, about three pairs in ten joined.
#include <array>
#include <cmath>

#include "generators.h"

namespace {

constexpr int NodeCount = 21;

// One coordinate of a node: (1 - 2u) scaled by the node's swing factor.
float NodeCoordinate(float u, double swing) { return StoreFloat((1.0f - (double(u) + u)) * swing); }

}  // namespace

void DrawNodes(Scene& scene) {
    std::array<Vec3, NodeCount> nodes;
    const float t = scene.view.AnimTime;
    for (int i = 0; i < NodeCount; ++i) {
        const double swing = std::cos(double(float(i + 1)) * t / 10.0f);
        nodes[i].x = NodeCoordinate(NextRandom(scene.random, std::int16_t(-(i + 1))), swing);
        nodes[i].y = NodeCoordinate(NextRandom(scene.random), swing);
        nodes[i].z = NodeCoordinate(NextRandom(scene.random), swing);
    }
    for (int a = 0; a < NodeCount; ++a)
        for (int b = a; b < NodeCount; ++b)
            if (NextRandom(scene.random) < 0.3f) DrawSegment(scene.tools, nodes[a], nodes[b], ViewAngles(scene));
}
