#include "transform.h"

#include <algorithm>
#include <cstring>

#include "batch.h"
#include "colour.h"
#include "plain_route.h"

namespace {

// Points j .. j + lanes - 1 as lanes of x, y and z; past n, zero points.
inline void LoadPoints(const Vec3* points, int j, int, double& x, double& y, double& z) {
    x = points[j].x, y = points[j].y, z = points[j].z;
}

#if ORBIZA_DOUBLE_PAIRS
inline void LoadPoints(const Vec3* points, int j, int n, Double2& x, Double2& y, Double2& z) {
    const Vec3 a = points[j], b = j + 1 < n ? points[j + 1] : Vec3{};
    x = Double2{a.x, b.x}, y = Double2{a.y, b.y}, z = Double2{a.z, b.z};
}
#endif

#if defined(__x86_64__)
// Four points, twelve floats, as three registers of x, y and z.
[[gnu::target("avx2")]] inline void LoadFour(const Vec3* points, Double4& x, Double4& y, Double4& z) {
    static_assert(sizeof(Vec3) == 3 * sizeof(float));
    const float* f = &points->x;
    const __m128 m0 = _mm_loadu_ps(f), m1 = _mm_loadu_ps(f + 4), m2 = _mm_loadu_ps(f + 8);
    const __m128 x2y2x3y3 = _mm_shuffle_ps(m1, m2, _MM_SHUFFLE(2, 1, 3, 2));
    const __m128 y0z0y1z1 = _mm_shuffle_ps(m0, m1, _MM_SHUFFLE(1, 0, 2, 1));
    x = _mm256_cvtps_pd(_mm_shuffle_ps(m0, x2y2x3y3, _MM_SHUFFLE(2, 0, 3, 0)));
    y = _mm256_cvtps_pd(_mm_shuffle_ps(y0z0y1z1, x2y2x3y3, _MM_SHUFFLE(3, 1, 2, 0)));
    z = _mm256_cvtps_pd(_mm_shuffle_ps(y0z0y1z1, m2, _MM_SHUFFLE(3, 0, 3, 1)));
}

[[gnu::target("avx2")]] inline void LoadPoints(const Vec3* points, int j, int n, Double4& x, Double4& y, Double4& z) {
    if (j + 4 <= n) return LoadFour(points + j, x, y, z);
    Vec3 last[4] = {};
    std::copy(points + j, points + n, last);
    LoadFour(last, x, y, z);
}
#endif

// The ends of points[0 .. n - 1] as ends at .. at + n - 1 of the batch,
// whole registers at a time. True when every value the plain route would
// store is finite, so that it would raise nothing: a value that is not
// shows in the depth or the screen point, since no angle's sine and cosine
// are both zero and the projection's k scales both coordinates.
template <class L>
inline bool TransformEnds(const ViewTrig& t, const Vec3* points, int n, Batch& b, int at) {
    L unsure{};  // v - v summed over those values: zero exactly while each is finite
    for (int j = 0; j < n; j += LaneCount<L>) {
        L x, y, z;
        LoadPoints(points, j, n, x, y, z);
        Rotate(t, x, y, z, StoreQuietly{});
        Project(x, y, z, StoreQuietly{});
        unsure += (x - x) + (y - y) + (z - z);
        std::memcpy(b.depth + at + j, &z, sizeof z);
        StoreFloats(x, b.screenX + at + j), StoreFloats(y, b.screenY + at + j);
    }
    return EveryLane(unsure, [](double u) { return u == 0; });
}

// A polyline batch by batch: each batch's ends transformed, the first one
// carried over from the batch before, then handed to the colour step. A
// batch the transform is unsure of is drawn by the plain route instead,
// which raises any error where it arises.
template <class L>
inline void DrawChainOf(Tools3D& tools, const Vec3* points, int count) {
    Batch b;
    bool carried = false;  // end 0 is already the end of the batch's first point
    for (int i = 1; i < count; i += Batch::Segments) {
        b.points = points + i - 1, b.count = std::min(Batch::Segments, count - i);
        const bool sure = carried ? TransformEnds<L>(tools.trig, points + i, b.count, b, 1)
                                  : TransformEnds<L>(tools.trig, b.points, b.count + 1, b, 0);
        PadEnds(b, LaneCount<L>);
        carried = sure;
        if (!sure) [[unlikely]] {
            DrawChainPlainly(tools, b.points, b.count + 1);
            continue;
        }
        ColourBatch(tools, b, Lanes<L>{});
        b.depth[0] = b.depth[b.count], b.screenX[0] = b.screenX[b.count], b.screenY[0] = b.screenY[b.count];
    }
}

}  // namespace

void DrawChainScalar(Tools3D& tools, const Vec3* points, int count) { DrawChainOf<double>(tools, points, count); }

#if ORBIZA_DOUBLE_PAIRS
void DrawChainPairs(Tools3D& tools, const Vec3* points, int count) { DrawChainOf<Double2>(tools, points, count); }
#endif

#if defined(__x86_64__)
[[gnu::target("avx2"), gnu::flatten]] void DrawChainFour(Tools3D& tools, const Vec3* points, int count) {
    DrawChainOf<Double4>(tools, points, count);
}
#endif
