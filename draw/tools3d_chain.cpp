// DrawSegmentChain: a polyline's segments in batches. The ends of a batch are
// rotated and projected together (four to a register where the processor
// has AVX2), each mapped to its pixel once although two segments share it,
// then the segments are coloured and drawn in order. Any value that could
// raise an error sends the batch through DrawSegment one segment at a time,
// which raises it where the plain steps would.
#include <algorithm>
#include <cmath>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "tools3d_ends.h"

namespace {

constexpr int Batch = 32;

// The ends of one batch; index 0 is the end the batch starts from.
struct Ends {
    alignas(32) double depth[Batch + 8];  // each a float, kept as the double it converts to
    alignas(32) float screenX[Batch + 8], screenY[Batch + 8];
    alignas(32) std::int32_t column[Batch + 8], row[Batch + 8];
    std::uint64_t inside = 0;  // bit j: end j lies inside the raster
};

void StoreEnd(Ends& e, int j, End end) {
    e.depth[j] = end.depth, e.screenX[j] = end.screen.x, e.screenY[j] = end.screen.y;
    const std::uint64_t bit = std::uint64_t(1) << j;
    e.inside = PixelInside(end.screen.x, end.screen.y, e.column[j], e.row[j]) ? e.inside | bit : e.inside & ~bit;
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] inline __m256d StoreFloats(__m256d v) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(v)); }

[[gnu::target("avx2")]] inline __m128 NonFinite(__m128 v) {
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
// ProjectOneByOne lane by lane. Two registers go through each step together,
// so that one's latency hides behind the other's work. With every coordinate
// within ±1e30 no rotated value can overflow, so only the projection is
// tested. Returns false when an end might not be finite.
[[gnu::target("avx2")]] bool TransformFour(const Tools3D& tools, const Vec3* points, Ends& e, int n) {
    constexpr int G = 2;
    const ViewTrig& t = tools.trig;
    const __m256d ca = _mm256_set1_pd(t.ca), sa = _mm256_set1_pd(t.sa), cb = _mm256_set1_pd(t.cb);
    const __m256d sb = _mm256_set1_pd(t.sb), cc = _mm256_set1_pd(t.cc), sc = _mm256_set1_pd(t.sc);
    const __m256d five = _mm256_set1_pd(5.0), one = _mm256_set1_pd(1.0), sign = _mm256_set1_pd(-0.0);
    const __m256d columns = _mm256_set1_pd(Surface::ColumnsPerUnit), rows = _mm256_set1_pd(Surface::RowsPerUnit);
    const __m256d width = _mm256_set1_pd(Surface::Width), height = _mm256_set1_pd(Surface::Height);
    const __m256d zero = _mm256_setzero_pd();
    const __m128 limit = _mm_set1_ps(1e30f), absolute = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
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
            y1[g] = StoreFloats(_mm256_sub_pd(_mm256_mul_pd(ca, y[g]), _mm256_mul_pd(sa, z[g])));
            z1[g] = StoreFloats(_mm256_add_pd(_mm256_mul_pd(ca, z[g]), _mm256_mul_pd(sa, y[g])));
        }
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            z2[g] = StoreFloats(_mm256_sub_pd(_mm256_mul_pd(cb, z1[g]), _mm256_mul_pd(sb, x[g])));
            x1[g] = StoreFloats(_mm256_add_pd(_mm256_mul_pd(cb, x[g]), _mm256_mul_pd(sb, z1[g])));
        }
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            x2[g] = StoreFloats(_mm256_sub_pd(_mm256_mul_pd(cc, x1[g]), _mm256_mul_pd(sc, y1[g])));
            y2[g] = StoreFloats(_mm256_add_pd(_mm256_mul_pd(cc, y1[g]), _mm256_mul_pd(sc, x1[g])));
            k[g] = StoreFloats(_mm256_div_pd(five, _mm256_add_pd(z2[g], five)));
        }
#pragma GCC unroll 2
        for (int g = 0; g < G; ++g) {
            sx[g] = _mm256_cvtpd_ps(_mm256_mul_pd(k[g], x2[g]));
            sy[g] = _mm256_cvtpd_ps(_mm256_mul_pd(_mm256_xor_pd(k[g], sign), y2[g]));
            const __m256d kDifference = _mm256_sub_pd(k[g], k[g]);  // not a number exactly when k is not finite
            unsureK = _mm256_or_pd(unsureK, _mm256_cmp_pd(kDifference, kDifference, _CMP_UNORD_Q));
            unsure = _mm_or_ps(unsure, _mm_or_ps(NonFinite(sx[g]), NonFinite(sy[g])));
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
            const __m128i cEdge = _mm_cmpeq_epi32(c, _mm_set1_epi32(Surface::Width));
            const __m128i rEdge = _mm_cmpeq_epi32(r, _mm_set1_epi32(Surface::Height));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(e.column + at), _mm_add_epi32(c, cEdge));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(e.row + at), _mm_add_epi32(r, rEdge));
            inside |= std::uint64_t(_mm256_movemask_pd(in)) << at;
        }
    }
    e.inside = (e.inside & 1) | inside;
    return (_mm_movemask_ps(unsure) | _mm256_movemask_pd(unsureK)) == 0;
}

// One colour component of four segments as ComponentOf works it out: the
// product rounded to the nearest integer, ties to even (the processor's
// rounding), then held to 0 .. 255. Outside -32768.5 .. 32767.5 and where
// 32767.5 rounds up, RoundToInt16 would fail.
[[gnu::target("avx2")]] inline __m128i ComponentFour(float factor, __m256d brightness, __m256d& failed) {
    const __m256d value = _mm256_mul_pd(_mm256_set1_pd(factor), brightness);
    failed = _mm256_or_pd(failed, _mm256_cmp_pd(value, _mm256_set1_pd(-32768.5), _CMP_NGE_UQ));
    failed = _mm256_or_pd(failed, _mm256_cmp_pd(value, _mm256_set1_pd(32767.5), _CMP_NLT_UQ));
    const __m128i rounded = _mm256_cvtpd_epi32(value);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(rounded, rounded), _mm_setzero_si128());
    return _mm_cvtepu8_epi32(bytes);
}

// BrightnessOf and PixelOf, four segments to a register.
[[gnu::target("avx2")]] bool ColourFour(const Tools3D& tools, const Ends& e, int n, float* brightness,
                                        std::uint32_t* pixels) {
    const __m256d range = _mm256_set1_pd(tools.DepthRange), gain = _mm256_set1_pd(tools.DepthGain);
    const __m256d base = _mm256_set1_pd(tools.DepthBase), half = _mm256_set1_pd(0.5);
    // Equal factors give equal components: a grey is worked out once.
    const bool grey = SameFloatBits(tools.LineRed, tools.LineBlue) && SameFloatBits(tools.LineGreen, tools.LineBlue);
    __m256d failed = _mm256_setzero_pd();
    __m128 notFinite = _mm_setzero_ps();
    for (int j = 0; j < n; j += 8) {  // two registers side by side, as in TransformFour
        __m256d level[2];
#pragma GCC unroll 2
        for (int g = 0; g < 2; ++g) {
            const int at = j + 4 * g;
            const __m256d z2 = _mm256_loadu_pd(e.depth + at), z1 = _mm256_loadu_pd(e.depth + at + 1);
            const __m256d cue = _mm256_div_pd(_mm256_add_pd(z2, z1), range);
            const __m128 stored = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(half, cue), gain), base));
            const __m128 difference = _mm_sub_ps(stored, stored);
            notFinite = _mm_or_ps(notFinite, _mm_cmpunord_ps(difference, difference));
            const __m128 clamped = _mm_andnot_ps(_mm_cmplt_ps(stored, _mm_setzero_ps()), stored);  // keeps -0
            _mm_storeu_ps(brightness + at, clamped);
            level[g] = _mm256_cvtps_pd(clamped);
        }
#pragma GCC unroll 2
        for (int g = 0; g < 2; ++g) {
            const __m128i blue = ComponentFour(tools.LineBlue, level[g], failed);
            const __m128i green = grey ? blue : ComponentFour(tools.LineGreen, level[g], failed);
            const __m128i red = grey ? blue : ComponentFour(tools.LineRed, level[g], failed);
            const __m128i pixel = _mm_or_si128(_mm_or_si128(_mm_set1_epi32(int(0xFF000000u)), _mm_slli_epi32(red, 16)),
                                               _mm_or_si128(_mm_slli_epi32(green, 8), blue));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + j + 4 * g), pixel);
        }
    }
    return (_mm256_movemask_pd(failed) | _mm_movemask_ps(notFinite)) == 0;
}

bool HasAvx2() { return __builtin_cpu_supports("avx2"); }
#else
bool TransformFour(const Tools3D&, const Vec3*, Ends&, int) { return false; }
bool ColourFour(const Tools3D&, const Ends&, int, float*, std::uint32_t*) { return false; }
bool HasAvx2() { return false; }
#endif

// The ends of points 1 .. n of the batch, false when one is unsure.
bool TransformBatch(const Tools3D& tools, const Vec3* points, int n, Ends& e) {
    if (HasAvx2()) return TransformFour(tools, points, e, n);
    for (int j = 0; j < n; ++j) {
        End end;
        if (!TransformSure(points[j], tools, end)) return false;
        StoreEnd(e, j + 1, end);
    }
    return true;
}

// Brightness and colour of every segment, false when one would raise.
bool ColourBatch(const Tools3D& tools, const Ends& e, int n, float* brightness, std::uint32_t* pixels) {
    if (HasAvx2()) return ColourFour(tools, e, n, brightness, pixels);
    bool failed = false;
    for (int j = 0; j < n; ++j) {
        brightness[j] = BrightnessOf(tools, float(e.depth[j + 1]), float(e.depth[j]), failed);
        pixels[j] = PixelOf(tools, brightness[j], failed);
    }
    return !failed;
}

void DrawBatch(Tools3D& tools, const Vec3* points, const Ends& e, int n, const float* brightness,
               const std::uint32_t* pixels) {
    const PixelChain chain{e.screenX, e.screenY, e.column, e.row, e.inside, pixels, n};
    if (!tools.log) {
        if (tools.surface) DrawPixelChain(*tools.surface, chain);
        tools.Brightness = brightness[n - 1];
        return;
    }
    for (int j = 0; j < n; ++j) {  // segment by segment, so that the log never runs ahead of the picture
        tools.Brightness = brightness[j];
        if (tools.surface)
            DrawPixelChain(*tools.surface, {chain.x + j, chain.y + j, chain.column + j, chain.row + j,
                                            chain.inside >> j, chain.pixel + j, 1});
        LogSegment(tools, points[j + 1], points[j], {e.screenX[j + 1], e.screenY[j + 1]}, {e.screenX[j], e.screenY[j]},
                   pixels[j]);
    }
}

}  // namespace

void DrawSegmentChain(Tools3D& tools, const Vec3* points, int count, Vec3 angles) {
    if (!tools.fastPath) {
        for (int i = 1; i < count; ++i) DrawSegment(tools, points[i], points[i - 1], angles);
        return;
    }
    Ends e;
    alignas(32) float brightness[Batch + 8];
    alignas(32) std::uint32_t pixels[Batch + 8];
    for (int i = 1; i < count; i += Batch) {
        const int n = std::min(Batch, count - i);
        UseView(tools, angles);
        bool sure = TransformBatch(tools, points + i, n, e);
        if (sure) {
            StoreEnd(e, 0, SecondEnd(points[i - 1], tools));
            sure = ColourBatch(tools, e, n, brightness, pixels);
        }
        if (!sure) [[unlikely]] {
            for (int j = i; j < i + n; ++j) DrawSegment(tools, points[j], points[j - 1], angles);
            continue;
        }
        KeepEnd(tools, points[i + n - 1], {float(e.depth[n]), {e.screenX[n], e.screenY[n]}});
        DrawBatch(tools, points + i - 1, e, n, brightness, pixels);
    }
}
