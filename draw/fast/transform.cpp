#include "transform.h"

#include <algorithm>
#include <cstring>

#include "batch.h"
#include "colour.h"

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

// Four points, twelve floats, as three registers; the last ones point by
// point, in registers, where fewer are left.
[[gnu::target("avx2")]] inline void LoadPoints(const Vec3* points, int j, int n, Double4& x, Double4& y, Double4& z) {
    if (j + 4 <= n) [[likely]]
        return LoadFour(points + j, x, y, z);
    const Vec3 a = points[j], b = j + 1 < n ? points[j + 1] : Vec3{}, c = j + 2 < n ? points[j + 2] : Vec3{};
    x = Double4{a.x, b.x, c.x, 0}, y = Double4{a.y, b.y, c.y, 0}, z = Double4{a.z, b.z, c.z, 0};
}
#endif

template <class L>
inline void LoadPoints(const Vec3* points, int j, int n, Twice<L>& x, Twice<L>& y, Twice<L>& z) {
    LoadPoints(points, j, n, x.a, y.a, z.a);
    LoadPoints(points, j + LaneCount<L>, n, x.b, y.b, z.b);
}

// Ends from .. to - 1 of the batch, whole registers at a time. `unsure` sums
// v - v over every value the plain route would store that is not certain
// to be finite: zero exactly while each is, so that the plain route would
// raise nothing. A value that is not finite shows in the depth or the screen
// point, since no angle's sine and cosine are both zero and the
// projection's k scales both coordinates.
template <class L>
inline void TransformLanes(const ViewTrig& t, Batch& b, int from, int to, L& unsure) {
    for (int j = from; j < to; j += LaneCount<L>) {
        L x, y, z;
        LoadPoints(b.points, j, b.count + 1, x, y, z);
        Rotate(t, x, y, z, StoreQuietly{});
        Project(x, y, z, StoreQuietly{});
        unsure += (x - x) + (y - y) + (z - z);
        std::memcpy(b.depth + j, &z, sizeof z);
        StoreFloats(x, b.screenX + j), StoreFloats(y, b.screenY + j);
    }
}

// The batch's ends, two registers side by side while there are enough; true
// when the plain route would raise nothing.
template <class L>
inline bool TransformEnds(const ViewTrig& t, Batch& b) {
    const int ends = b.count + 1, paired = ends / LaneCount<Twice<L>> * LaneCount<Twice<L>>;
    Twice<L> unsurePaired{};
    L unsure{};
    TransformLanes(t, b, 0, paired, unsurePaired), TransformLanes(t, b, paired, ends, unsure);
    return AllZero(unsurePaired) && AllZero(unsure);
}

// A polyline batch by batch, each batch starting from the point the one
// before ended at: its ends transformed, then handed to the colour step. A
// batch the transform is unsure of is drawn by `replay`, the plain route.
template <class L>
inline void DrawChainOf(Tools3D& tools, const Vec3* points, const PointColour* colours, int count, PlainChain replay) {
    Batch b;
    b.replay = replay;
    for (int i = 0; i + 1 < count; i += Batch::Segments) {
        b.points = points + i, b.count = std::min(Batch::Segments, count - 1 - i);
        b.colours = colours ? colours + i : nullptr;
        if (!TransformEnds<L>(tools.trig, b)) [[unlikely]] {
            replay(tools, b.points, b.colours, b.count + 1);
            continue;
        }
        ColourBatch(tools, b, Lanes<L>{});
    }
}

}  // namespace

void DrawChainScalar(Tools3D& tools, const Vec3* points, const PointColour* colours, int count, PlainChain replay) {
    DrawChainOf<double>(tools, points, colours, count, replay);
}

#if ORBIZA_DOUBLE_PAIRS
void DrawChainPairs(Tools3D& tools, const Vec3* points, const PointColour* colours, int count, PlainChain replay) {
    DrawChainOf<Double2>(tools, points, colours, count, replay);
}
#endif

#if defined(__x86_64__)
[[gnu::target("avx2"), gnu::flatten]] void DrawChainFour(Tools3D& tools, const Vec3* points, const PointColour* colours,
                                                         int count, PlainChain replay) {
    DrawChainOf<Double4>(tools, points, colours, count, replay);
}
#endif
