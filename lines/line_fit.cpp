#include "line_fit.h"

#include <algorithm>
#include <cmath>

namespace {

struct Box {
    Vec3 low, high;
};

Box BoundingBox(const std::vector<Vec3>& points) {
    Box box{points.front(), points.front()};
    for (const Vec3& p : points) {
        box.low = MakeVec(std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z));
        box.high = MakeVec(std::max(box.high.x, p.x), std::max(box.high.y, p.y), std::max(box.high.z, p.z));
    }
    return box;
}

// The distance is kept in double: between points across the whole float
// range it is more than a float holds.
double FarthestFrom(const std::vector<Vec3>& points, Vec3 centre) {
    double farthest = 0;
    for (const Vec3& p : points) {
        const double dx = double(p.x) - centre.x, dy = double(p.y) - centre.y, dz = double(p.z) - centre.z;
        farthest = std::max(farthest, dx * dx + dy * dy + dz * dz);
    }
    return std::sqrt(farthest);
}

}  // namespace

void FitLines(LineData& data) {
    if (data.points.empty()) return;
    const Box box = BoundingBox(data.points);
    const Vec3 centre =
        MakeVec(float((double(box.low.x) + box.high.x) / 2), float((double(box.low.y) + box.high.y) / 2),
                float((double(box.low.z) + box.high.z) / 2));
    const double farthest = FarthestFrom(data.points, centre);
    const double scale = farthest > 0 ? FitRadius / farthest : 1;
    for (Vec3& p : data.points)
        p = MakeVec(float((double(p.x) - centre.x) * scale), float((double(p.y) - centre.y) * scale),
                    float((double(p.z) - centre.z) * scale));
}
