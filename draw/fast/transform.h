#pragma once

// The first step of a segment: its ends rotated by the view and projected.
#include <cstdint>

#include "numbers.h"
#include "tools3d.h"

// An end as a segment needs it: rotated depth and screen point.
struct End {
    float depth;
    ScreenPoint screen;
};

// About X, then Y, then Z; every intermediate stored with `store`.
template <class Store>
inline Vec3 RotateStored(Vec3 v, const ViewTrig& t, Store store) {
    const float y1 = store(double(t.ca) * v.y - double(t.sa) * v.z);
    const float z1 = store(double(t.ca) * v.z + double(t.sa) * v.y);
    const float z2 = store(double(t.cb) * z1 - double(t.sb) * v.x);
    const float x1 = store(double(t.cb) * v.x + double(t.sb) * z1);
    const float x2 = store(double(t.cc) * x1 - double(t.sc) * y1);
    const float y2 = store(double(t.cc) * y1 + double(t.sc) * x1);
    return {x2, y2, z2};
}

// Eye at z = -5 looking along +z; y is negated so model +y points up.
template <class Store>
inline ScreenPoint ProjectStored(Vec3 v, Store store) {
    const float k = store(5.0 / (double(v.z) + 5.0));
    return {store(double(k) * v.x), store(-double(k) * v.y)};
}

inline Vec3 RotateOneByOne(Vec3 v, const ViewTrig& t) { return RotateStored(v, t, StoreFloat); }
inline ScreenPoint ProjectOneByOne(Vec3 v) { return ProjectStored(v, StoreFloat); }

// Makes `tools.trig` that of the angles; the check is inline, since every
// segment makes it and the angles rarely change.
void SetView(Tools3D& tools, Vec3 angles);
inline void UseView(Tools3D& tools, Vec3 angles) {
    if (!tools.trigValid || !SameBits(tools.trigAngles, angles)) [[unlikely]]
        SetView(tools, angles);
}

// One end rotated and projected at the tools' instruction-set level. False,
// raising nothing, when a value might not be finite: then `end` is not to be
// used, and the segment is replayed on the plain route, which raises.
bool TransformSure(Vec3 v, const Tools3D& tools, End& end);

// The end as the previous segment left it, or TransformSure's.
inline bool SecondEndSure(Vec3 q, const Tools3D& tools, End& end) {
    if (tools.endValid && SameBits(q, tools.endModel)) [[likely]] {
        end = {tools.endDepth, tools.endScreen};
        return true;
    }
    return TransformSure(q, tools, end);
}

inline void KeepEnd(Tools3D& tools, Vec3 model, End end) {
    tools.endModel = model, tools.endDepth = end.depth, tools.endScreen = end.screen;
    tools.endValid = true;
}

// The ends of one batch of a polyline; index 0 is the end the batch starts from.
struct Ends {
    static constexpr int Batch = 32;
    alignas(32) double depth[Batch + 8];  // each a float, kept as the double it converts to
    alignas(32) float screenX[Batch + 8], screenY[Batch + 8];
    alignas(32) std::int32_t column[Batch + 8], row[Batch + 8];
    std::uint64_t inside = 0;  // bit j: end j lies inside the raster, and column[j], row[j] are its pixel
};

void StoreEnd(Ends& e, int j, End end);

// The ends of points[0 .. n - 1] as ends 1 .. n of the batch; false when one
// is unsure.
bool TransformBatch(const Tools3D& tools, const Vec3* points, int n, Ends& e);
