#include "transform.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "clip.h"
#include "double_pairs.h"

namespace {

// The rounded sines and cosines of an angle triple.
ViewTrig ComputeViewTrig(Vec3 angles) {
    return {StoreFloat(std::cos(double(angles.x))), StoreFloat(std::sin(double(angles.x))),
            StoreFloat(std::cos(double(angles.y))), StoreFloat(std::sin(double(angles.y))),
            StoreFloat(std::cos(double(angles.z))), StoreFloat(std::sin(double(angles.z)))};
}

}  // namespace

void RotatePoint(Vec3& v, Vec3 angles) { v = RotateOneByOne(v, ComputeViewTrig(angles)); }

ScreenPoint ProjectPoint(Vec3 v) { return ProjectOneByOne(v); }

void SetView(Tools3D& tools, Vec3 angles) {
    tools.trig = ComputeViewTrig(angles);
    const ViewTrig& t = tools.trig;
    const double pairs[12] = {t.ca,          t.ca, -double(t.sa), t.sa, t.cb,          t.cb,
                              -double(t.sb), t.sb, t.cc,          t.cc, -double(t.sc), t.sc};
    std::copy(pairs, pairs + 12, tools.rotationPairs);
    tools.trigAngles = angles;
    tools.trigValid = true;
    tools.endValid = false;
}

namespace {

// With every coordinate within ±1e30 no rotated value can overflow (sines
// and cosines are at most 1), so only the projection needs a test.
constexpr float SafeMagnitude = 1e30f;

float StoreQuietly(double value) { return static_cast<float>(value); }

bool TransformScalar(Vec3 v, const Tools3D& tools, End& end) {
    if (!(std::fabs(v.x) <= SafeMagnitude && std::fabs(v.y) <= SafeMagnitude && std::fabs(v.z) <= SafeMagnitude))
        return false;
    const Vec3 rotated = RotateStored(v, tools.trig, StoreQuietly);
    const float k = StoreQuietly(5.0 / (double(rotated.z) + 5.0));
    end = {rotated.z, ProjectStored(rotated, StoreQuietly)};
    return std::isfinite(k) && std::isfinite(end.screen.x) && std::isfinite(end.screen.y);
}

#if defined(__x86_64__)
// Rotate then Project with two components side by side. Each lane does the
// scalar operations (a - b·c as a + (-b)·c, the same IEEE operation), so
// every result has the scalar rounding.
inline __m128d StorePair(__m128d v) { return _mm_cvtps_pd(_mm_cvtpd_ps(v)); }

inline __m128d RotatePair(__m128d a, const double* factors) {
    const __m128d swapped = _mm_shuffle_pd(a, a, 1);
    return StorePair(_mm_add_pd(_mm_mul_pd(_mm_load_pd(factors), a), _mm_mul_pd(_mm_load_pd(factors + 2), swapped)));
}

inline __m128 NonFinite(__m128d v) {
    const __m128d difference = _mm_sub_pd(v, v);  // not a number exactly when v is not finite
    return _mm_castpd_ps(_mm_cmpunord_pd(difference, difference));
}

bool TransformByPairs(Vec3 v, const Tools3D& tools, End& end) {
    const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), _mm_setr_ps(v.x, v.y, v.z, 0.0f));
    const double* r = tools.rotationPairs;
    const __m128d yz1 = RotatePair(_mm_set_pd(v.z, v.y), r);                        // y1, z1
    const __m128d zx1 = RotatePair(_mm_unpackhi_pd(yz1, _mm_set1_pd(v.x)), r + 4);  // z2, x1
    const __m128d xy2 = RotatePair(_mm_shuffle_pd(zx1, yz1, 1), r + 8);             // x2, y2
    const __m128d five = _mm_set_sd(5.0);
    const __m128d k = StorePair(_mm_div_sd(five, _mm_add_sd(zx1, five)));
    const __m128d kk = _mm_xor_pd(_mm_unpacklo_pd(k, k), _mm_set_pd(-0.0, 0.0));  // k, -k
    const __m128 screen = _mm_cvtpd_ps(_mm_mul_pd(kk, xy2));
    const __m128 unsure = _mm_or_ps(_mm_cmpnle_ps(magnitude, _mm_set1_ps(SafeMagnitude)),
                                    _mm_or_ps(NonFinite(kk), NonFinite(_mm_cvtps_pd(screen))));
    _mm_store_ss(&end.depth, _mm_cvtpd_ps(zx1));
    _mm_storel_pi(reinterpret_cast<__m64*>(&end.screen), screen);
    return _mm_movemask_ps(unsure) == 0;
}

[[gnu::target("avx2")]] inline __m256d RoundFour(__m256d v) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(v)); }

[[gnu::target("avx2")]] inline __m128 NonFiniteFloats(__m128 v) {
    const __m128 difference = _mm_sub_ps(v, v);  // not a number exactly when v is not finite
    return _mm_cmpunord_ps(difference, difference);
}

// Four points as three registers of x, y and z.
[[gnu::target("avx2")]] inline void LoadFour(const Vec3* points, __m128& x, __m128& y, __m128& z) {
    static_assert(sizeof(Vec3) == 3 * sizeof(float));
    const float* f = &points->x;
    const __m128 m0 = _mm_loadu_ps(f), m1 = _mm_loadu_ps(f + 4), m2 = _mm_loadu_ps(f + 8);
    const __m128 x2y2x3y3 = _mm_shuffle_ps(m1, m2, _MM_SHUFFLE(2, 1, 3, 2));
    const __m128 y0z0y1z1 = _mm_shuffle_ps(m0, m1, _MM_SHUFFLE(1, 0, 2, 1));
    x = _mm_shuffle_ps(m0, x2y2x3y3, _MM_SHUFFLE(2, 0, 3, 0));
    y = _mm_shuffle_ps(y0z0y1z1, x2y2x3y3, _MM_SHUFFLE(3, 1, 2, 0));
    z = _mm_shuffle_ps(y0z0y1z1, m2, _MM_SHUFFLE(3, 0, 3, 1));
}

// The points j .. j + 3, zeros past n (padding that is never drawn).
[[gnu::target("avx2")]] inline void LoadPoints(const Vec3* points, int j, int n, __m128& x, __m128& y, __m128& z) {
    if (j + 4 <= n) return LoadFour(points + j, x, y, z);
    Vec3 last[4] = {};
    if (j < n) std::copy(points + j, points + n, last);
    LoadFour(last, x, y, z);
}

// Ends four to a register, the same operations as RotateOneByOne and
// ProjectOneByOne lane by lane, with each end's pixel as PixelInside finds it.
// Two registers go through each step together, so that one's latency hides
// behind the other's work. Returns false when an end might not be finite.
[[gnu::target("avx2")]] bool TransformFour(const Tools3D& tools, const Vec3* points, int n, Ends& e) {
    constexpr int G = 2;
    const ViewTrig& t = tools.trig;
    const __m256d ca = _mm256_set1_pd(t.ca), sa = _mm256_set1_pd(t.sa), cb = _mm256_set1_pd(t.cb);
    const __m256d sb = _mm256_set1_pd(t.sb), cc = _mm256_set1_pd(t.cc), sc = _mm256_set1_pd(t.sc);
    const __m256d five = _mm256_set1_pd(5.0), one = _mm256_set1_pd(1.0), sign = _mm256_set1_pd(-0.0);
    const __m256d columns = _mm256_set1_pd(PictureColumnsPerUnit), rows = _mm256_set1_pd(PictureRowsPerUnit);
    const __m256d width = _mm256_set1_pd(PictureWidth), height = _mm256_set1_pd(PictureHeight);
    const __m256d zero = _mm256_setzero_pd();
    const __m128 limit = _mm_set1_ps(SafeMagnitude), absolute = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
    __m128 unsure = _mm_setzero_ps();
    __m256d unsureK = _mm256_setzero_pd();
    std::uint64_t inside = 0;
    for (int j = 0; j < n; j += 4 * G) {
        __m256d x[G], y[G], z[G], y1[G], z1[G], z2[G], x1[G], x2[G], y2[G], k[G];
        __m128 sx[G], sy[G];
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            __m128 xf, yf, zf;
            LoadPoints(points, j + 4 * g, n, xf, yf, zf);
            unsure = _mm_or_ps(unsure, _mm_or_ps(_mm_cmpnle_ps(_mm_and_ps(xf, absolute), limit),
                                                 _mm_or_ps(_mm_cmpnle_ps(_mm_and_ps(yf, absolute), limit),
                                                           _mm_cmpnle_ps(_mm_and_ps(zf, absolute), limit))));
            x[g] = _mm256_cvtps_pd(xf), y[g] = _mm256_cvtps_pd(yf), z[g] = _mm256_cvtps_pd(zf);
        }
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            y1[g] = RoundFour(_mm256_sub_pd(_mm256_mul_pd(ca, y[g]), _mm256_mul_pd(sa, z[g])));
            z1[g] = RoundFour(_mm256_add_pd(_mm256_mul_pd(ca, z[g]), _mm256_mul_pd(sa, y[g])));
        }
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            z2[g] = RoundFour(_mm256_sub_pd(_mm256_mul_pd(cb, z1[g]), _mm256_mul_pd(sb, x[g])));
            x1[g] = RoundFour(_mm256_add_pd(_mm256_mul_pd(cb, x[g]), _mm256_mul_pd(sb, z1[g])));
        }
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            x2[g] = RoundFour(_mm256_sub_pd(_mm256_mul_pd(cc, x1[g]), _mm256_mul_pd(sc, y1[g])));
            y2[g] = RoundFour(_mm256_add_pd(_mm256_mul_pd(cc, y1[g]), _mm256_mul_pd(sc, x1[g])));
            k[g] = RoundFour(_mm256_div_pd(five, _mm256_add_pd(z2[g], five)));
        }
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            sx[g] = _mm256_cvtpd_ps(_mm256_mul_pd(k[g], x2[g]));
            sy[g] = _mm256_cvtpd_ps(_mm256_mul_pd(_mm256_xor_pd(k[g], sign), y2[g]));
            const __m256d kDifference = _mm256_sub_pd(k[g], k[g]);  // not a number exactly when k is not finite
            unsureK = _mm256_or_pd(unsureK, _mm256_cmp_pd(kDifference, kDifference, _CMP_UNORD_Q));
            unsure = _mm_or_ps(unsure, _mm_or_ps(NonFiniteFloats(sx[g]), NonFiniteFloats(sy[g])));
        }
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            const int at = j + 4 * g + 1;
            _mm256_storeu_pd(e.depth + at, z2[g]);
            _mm_storeu_ps(e.screenX + at, sx[g]), _mm_storeu_ps(e.screenY + at, sy[g]);
            // The pixel of each end, as PixelInside finds it.
            const __m256d u = _mm256_mul_pd(_mm256_add_pd(_mm256_cvtps_pd(sx[g]), one), columns);
            const __m256d v = _mm256_mul_pd(_mm256_add_pd(_mm256_cvtps_pd(sy[g]), one), rows);
            const __m256d in =
                _mm256_and_pd(_mm256_and_pd(_mm256_cmp_pd(u, zero, _CMP_GE_OQ), _mm256_cmp_pd(u, width, _CMP_LE_OQ)),
                              _mm256_and_pd(_mm256_cmp_pd(v, zero, _CMP_GE_OQ), _mm256_cmp_pd(v, height, _CMP_LE_OQ)));
            const __m128i c = _mm256_cvttpd_epi32(u), r = _mm256_cvttpd_epi32(v);
            const __m128i cEdge = _mm_cmpeq_epi32(c, _mm_set1_epi32(PictureWidth));
            const __m128i rEdge = _mm_cmpeq_epi32(r, _mm_set1_epi32(PictureHeight));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(e.column + at), _mm_add_epi32(c, cEdge));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(e.row + at), _mm_add_epi32(r, rEdge));
            inside |= std::uint64_t(_mm256_movemask_pd(in)) << at;
        }
    }
    e.inside = (e.inside & 1) | inside;
    return (_mm_movemask_ps(unsure) | _mm256_movemask_pd(unsureK)) == 0;
}

#endif

#if ORBIZA_DOUBLE_PAIRS
// Ends two to a register: each lane does TransformScalar's operations in its
// order, so every result has its rounding. Whether a batch is sure is summed
// up as it goes: squares of the coordinates, exact for floats, and v - v
// for the results, zero exactly when v is finite. The sum stays within the
// square of the safe magnitude only if every coordinate is within it and
// every result is finite; it may also exceed it in a sure batch, which then
// only takes the plain route.
bool TransformTwo(const Tools3D& tools, const Vec3* points, int n, Ends& e) {
    const ViewTrig& t = tools.trig;
    const double ca = t.ca, sa = t.sa, cb = t.cb, sb = t.sb, cc = t.cc, sc = t.sc;
    Double2 unsure = {};
    std::uint64_t inside = 0;
    for (int j = 0; j < n; j += 2) {
        const Vec3 a = points[j], b = j + 1 < n ? points[j + 1] : Vec3{};  // padding that is never drawn
        const Double2 x = {a.x, b.x}, y = {a.y, b.y}, z = {a.z, b.z};
        unsure += x * x + y * y + z * z;
        const Double2 y1 = RoundToFloats(ca * y - sa * z), z1 = RoundToFloats(ca * z + sa * y);
        const Double2 z2 = RoundToFloats(cb * z1 - sb * x), x1 = RoundToFloats(cb * x + sb * z1);
        const Double2 x2 = RoundToFloats(cc * x1 - sc * y1), y2 = RoundToFloats(cc * y1 + sc * x1);
        const Double2 k = RoundToFloats(5.0 / (z2 + 5.0));
        const Double2 sx = RoundToFloats(k * x2), sy = RoundToFloats(-k * y2);
        unsure += (sx - sx) + (sy - sy);  // a k that is not finite makes them not finite
        const int at = j + 1;
        std::memcpy(e.depth + at, &z2, sizeof z2);
        StoreFloats(sx, e.screenX + at), StoreFloats(sy, e.screenY + at);
        // The pixel of each end, as PixelInside finds it.
        const Double2 u = (sx + 1.0) * PictureColumnsPerUnit, v = (sy + 1.0) * PictureRowsPerUnit;
        PixelIndices(u, PictureWidth, e.column + at), PixelIndices(v, PictureHeight, e.row + at);
        inside |= std::uint64_t(WithinBits(u, PictureWidth, v, PictureHeight)) << at;
    }
    e.inside = (e.inside & 1) | inside;  // bits past n are padding, never read
    const double limit = double(SafeMagnitude) * SafeMagnitude;
    return unsure[0] <= limit && unsure[1] <= limit;
}
#endif

}  // namespace

bool TransformSure(Vec3 v, const Tools3D& tools, End& end) {
#if defined(__x86_64__)
    if (tools.simd != SimdLevel::Scalar) return TransformByPairs(v, tools, end);
#endif
    return TransformScalar(v, tools, end);
}

void StoreEnd(Ends& e, int j, End end) {
    e.depth[j] = end.depth, e.screenX[j] = end.screen.x, e.screenY[j] = end.screen.y;
    const std::uint64_t bit = std::uint64_t(1) << j;
    e.inside = PixelInside(end.screen.x, end.screen.y, e.column[j], e.row[j]) ? e.inside | bit : e.inside & ~bit;
}

bool TransformBatch(const Tools3D& tools, const Vec3* points, int n, Ends& e) {
#if defined(__x86_64__)
    if (tools.simd == SimdLevel::Avx2) return TransformFour(tools, points, n, e);
#endif
#if ORBIZA_DOUBLE_PAIRS
    if (PairLevel(tools.simd)) return TransformTwo(tools, points, n, e);
#endif
    for (int j = 0; j < n; ++j) {
        End end;
        if (!TransformSure(points[j], tools, end)) return false;
        StoreEnd(e, j + 1, end);
    }
    return true;
}
