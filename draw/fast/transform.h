#pragma once

// The first step of a segment: its ends turned by the view and projected,
// for one end (L a double) or a register of ends. The fast kernels of every
// level and the plain route all work these formulas.
#include "batch.h"
#include "double_lanes.h"
#include "numbers.h"
#include "tools3d.h"

// The stores of the plain route: a value that is not finite raises.
struct StoreChecked {
    double operator()(double v) const { return StoreFloat(v); }
};

// The stores of the fast kernels: a value that is not finite stays, for the
// kernel to find afterwards.
struct StoreQuietly {
    template <class L>
    L operator()(L v) const {
        return RoundToFloats(v);
    }
};

// About X, then Y, then Z; every named value rounded to a float by `store`.
template <class L, class Store>
inline void Rotate(const ViewTrig& t, L& x, L& y, L& z, Store store) {
    const L y1 = store(double(t.ca) * y - double(t.sa) * z);
    const L z1 = store(double(t.ca) * z + double(t.sa) * y);
    const L z2 = store(double(t.cb) * z1 - double(t.sb) * x);
    const L x1 = store(double(t.cb) * x + double(t.sb) * z1);
    x = store(double(t.cc) * x1 - double(t.sc) * y1);
    y = store(double(t.cc) * y1 + double(t.sc) * x1);
    z = z2;
}

// The eye at z = -5 looking along +z; y is negated so that model +y points
// up. x and y become the screen point.
template <class L, class Store>
inline void Project(L& x, L& y, L z, Store store) {
    const L k = store(5.0 / (z + 5.0));
    x = store(k * x);
    y = store(-k * y);
}

// The chain kernels of each level (fast/kernels.h).
void DrawChainScalar(Tools3D& tools, const Vec3* points, const PointColour* colours, int count, PlainChain replay);
#if ORBIZA_DOUBLE_PAIRS
void DrawChainPairs(Tools3D& tools, const Vec3* points, const PointColour* colours, int count, PlainChain replay);
#endif
#if defined(__x86_64__)
[[gnu::target("avx2")]] void DrawChainFour(Tools3D& tools, const Vec3* points, const PointColour* colours, int count,
                                           PlainChain replay);
#endif
