#include "pixel_chain.h"

#include <cstdlib>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "clip.h"
#include "raster.h"
#include "run_time_error.h"

namespace {

// Where a short line's pixels start and its entry in ShortLines, or -1 for a
// long line; worked out for a run of lines before any is drawn.
struct ShortPlan {
    std::int32_t start[PixelChain::MaxCount], entry[PixelChain::MaxCount];
};

void PlanOne(const PixelChain& c, int j, ShortPlan& plan) {
    if ((c.inside >> j & 3) != 3) return;  // an end outside has no pixel to plan from: the line is cut instead
    const int c1 = c.column[j + 1], r1 = c.row[j + 1], c2 = c.column[j], r2 = c.row[j];
    const int dc = std::abs(c2 - c1), dr = std::abs(r2 - r1);
    plan.start[j] = r1 * PictureWidth + c1;
    plan.entry[j] = (dc | dr) <= ShortExtent ? ShortIndex(c1 < c2, r1 < r2, dc, dr) : -1;
}

#if defined(__x86_64__)
// PlanOne for eight lines at a time. Lines with an end outside the raster
// get a meaningless plan; they are never drawn from it.
[[gnu::target("avx2")]] inline __m256i LoadEight(const std::int32_t* at) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

[[gnu::target("avx2")]] void PlanEight(const PixelChain& c, int j, ShortPlan& plan) {
    const __m256i c1 = LoadEight(c.column + j + 1), c2 = LoadEight(c.column + j);
    const __m256i r1 = LoadEight(c.row + j + 1), r2 = LoadEight(c.row + j);
    const __m256i dc = _mm256_abs_epi32(_mm256_sub_epi32(c2, c1)), dr = _mm256_abs_epi32(_mm256_sub_epi32(r2, r1));
    const __m256i direction = _mm256_or_si256(_mm256_and_si256(_mm256_cmpgt_epi32(c2, c1), _mm256_set1_epi32(2)),
                                              _mm256_and_si256(_mm256_cmpgt_epi32(r2, r1), _mm256_set1_epi32(1)));
    const __m256i index = _mm256_add_epi32(_mm256_slli_epi32(_mm256_add_epi32(_mm256_slli_epi32(direction, 3), dc), 3),
                                           dr);  // as ShortIndex
    const __m256i longLine = _mm256_cmpgt_epi32(_mm256_or_si256(dc, dr), _mm256_set1_epi32(ShortExtent));
    const __m256i start = _mm256_add_epi32(_mm256_mullo_epi32(r1, _mm256_set1_epi32(PictureWidth)), c1);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(plan.entry + j), _mm256_or_si256(index, longLine));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(plan.start + j), start);
}
#endif

#if defined(__x86_64__) || defined(__wasm_simd128__)
// PlanOne for four lines at a time, in 128-bit registers of integers (SSE2
// or simd128). Lines with an end outside the raster get a meaningless plan;
// they are never drawn from it. Differences and products are taken
// unsigned, so that such an end's stray pixel wraps instead of overflowing.
typedef std::int32_t Int4 __attribute__((vector_size(16)));
typedef std::uint32_t Unsigned4 __attribute__((vector_size(16)));

inline Int4 LoadFour(const std::int32_t* at) {
    Int4 v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

inline Int4 Difference(Int4 a, Int4 b) { return Int4(Unsigned4(a) - Unsigned4(b)); }

inline Int4 Magnitude(Int4 v) {
    const Int4 sign = v >> 31;
    return Difference(v ^ sign, sign);
}

void PlanFour(const PixelChain& c, int j, ShortPlan& plan) {
    const Int4 c1 = LoadFour(c.column + j + 1), c2 = LoadFour(c.column + j);
    const Int4 r1 = LoadFour(c.row + j + 1), r2 = LoadFour(c.row + j);
    const Int4 dc = Magnitude(Difference(c2, c1)), dr = Magnitude(Difference(r2, r1));
    const Int4 direction = ((c2 > c1) & 2) | ((r2 > r1) & 1);
    const Int4 index = (((direction << 3) + dc) << 3) + dr;  // as ShortIndex
    const Int4 longLine = (dc | dr) > ShortExtent;
    const Int4 entry = index | longLine;
    const Int4 start = Int4(Unsigned4(r1) * Unsigned4(Int4{} + PictureWidth) + Unsigned4(c1));
    std::memcpy(plan.entry + j, &entry, sizeof entry), std::memcpy(plan.start + j, &start, sizeof start);
}
#endif

void DrawPlanned(Canvas& surface, const PixelChain& chain, const ShortPlan& plan, SimdLevel level) {
    for (int j = 0; j < chain.count; ++j) {
        if ((chain.inside >> j & 3) != 3) [[unlikely]] {
            LinePixel(surface, chain.x[j + 1], chain.y[j + 1], chain.x[j], chain.y[j], chain.pixel[j], level);
        } else if (plan.entry[j] >= 0) [[likely]] {
            std::uint32_t* at = surface.pixels.data() + plan.start[j];
            const ShortLine& line = ShortLines[plan.entry[j]];
#pragma GCC unroll 8
            for (int i = 0; i <= ShortExtent; ++i) at[line.offsets[i]] = chain.pixel[j];
        } else {
            FastBresenham(surface, chain.column[j + 1], chain.row[j + 1], chain.column[j], chain.row[j],
                          chain.pixel[j]);
        }
    }
}

}  // namespace

void DrawPixelChain(Canvas& surface, const PixelChain& chain, SimdLevel level) {
    if (chain.count > PixelChain::MaxCount) RaiseIndexOutOfRange();
    ShortPlan plan;
    int j = 0;
#if defined(__x86_64__)
    if (level == SimdLevel::Avx2)
        for (; j + 8 <= chain.count; j += 8) PlanEight(chain, j, plan);  // reads ends j .. j + 8
#endif
#if defined(__x86_64__) || defined(__wasm_simd128__)
    if (PairLevel(level))
        for (; j + 4 <= chain.count; j += 4) PlanFour(chain, j, plan);  // reads ends j .. j + 4
#endif
    for (; j < chain.count; ++j) PlanOne(chain, j, plan);
    DrawPlanned(surface, chain, plan, level);
}
