#include "surface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "run_time_error.h"

namespace {

// Continuous raster coordinates: 0..Width across, 0..Height down. A user
// point maps to the pixel whose square contains it; the far edges belong to
// the last row and column.
constexpr double ColumnsPerUnit = Surface::ColumnsPerUnit;
constexpr double RowsPerUnit = Surface::RowsPerUnit;

struct Span {
    double u1, v1, u2, v2;
};

[[noreturn]] void RaiseNotFinite() { RaiseOperationFailed("Line: an end point is not a finite number"); }

Span ToRaster(float x1, float y1, float x2, float y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) RaiseNotFinite();
    return {(double(x1) + 1.0) * ColumnsPerUnit, (double(y1) + 1.0) * RowsPerUnit,
            (double(x2) + 1.0) * ColumnsPerUnit, (double(y2) + 1.0) * RowsPerUnit};
}

// Liang-Barsky against [0, Width] x [0, Height], all in double, so ends far
// outside the raster (even near the float limit) are cut before any integer
// conversion.
bool ClipToRaster(Span& s) {
    const double du = s.u2 - s.u1, dv = s.v2 - s.v1;
    double enter = 0.0, leave = 1.0;
    const double p[4] = {-du, du, -dv, dv};
    const double q[4] = {s.u1, Surface::Width - s.u1, s.v1, Surface::Height - s.v1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) enter = std::max(enter, t);
        else leave = std::min(leave, t);
        if (enter > leave) return false;
    }
    const Span whole = s;
    if (enter > 0.0) s.u1 = whole.u1 + enter * du, s.v1 = whole.v1 + enter * dv;
    if (leave < 1.0) s.u2 = whole.u1 + leave * du, s.v2 = whole.v1 + leave * dv;
    return true;
}

int PixelIndex(double coordinate, int size) {
    return std::clamp(static_cast<int>(std::floor(coordinate)), 0, size - 1);
}

void Bresenham(Surface& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    const int dc = std::abs(c2 - c1), dr = -std::abs(r2 - r1);
    const int sc = c1 < c2 ? 1 : -1, sr = r1 < r2 ? 1 : -1;
    int error = dc + dr;
    std::uint32_t* const data = surface.pixels.data();
    for (;;) {
        data[r1 * Surface::Width + c1] = pixel;
        if (c1 == c2 && r1 == r2) return;
        const int twice = 2 * error;
        if (twice >= dr) error += dr, c1 += sc;
        if (twice <= dc) error += dc, r1 += sr;
    }
}

// The pixels of every short line, worked out once by Bresenham's steps:
// offsets from the first pixel, the last one repeated up to the eighth. The
// index is the direction (column, row falling or rising) and the two extents.
constexpr int ShortExtent = 7;
struct ShortLine {
    std::ptrdiff_t offsets[ShortExtent + 1];
};
using ShortLineTable = std::array<ShortLine, 4 * (ShortExtent + 1) * (ShortExtent + 1)>;

constexpr int ShortIndex(bool columnsRise, bool rowsRise, int dc, int dr) {
    return ((columnsRise * 2 + rowsRise) * (ShortExtent + 1) + dc) * (ShortExtent + 1) + dr;
}
static_assert(ShortIndex(true, true, ShortExtent, ShortExtent) == 4 * (ShortExtent + 1) * (ShortExtent + 1) - 1);

constexpr ShortLineTable MakeShortLines() {
    ShortLineTable table{};
    for (int direction = 0; direction < 4; ++direction)
        for (int dc = 0; dc <= ShortExtent; ++dc)
            for (int dr = 0; dr <= ShortExtent; ++dr) {
                const int columnStep = direction & 2 ? 1 : -1, rowStep = direction & 1 ? Surface::Width : -Surface::Width;
                ShortLine& line = table[ShortIndex(direction & 2, direction & 1, dc, dr)];
                int error = dc - dr;
                std::ptrdiff_t offset = 0;
                for (int i = 0; i <= ShortExtent; ++i) {
                    line.offsets[i] = offset;
                    if (i >= std::max(dc, dr)) continue;
                    const int twice = 2 * error;
                    if (twice >= -dr) error -= dr, offset += columnStep;
                    if (twice <= dc) error += dc, offset += rowStep;
                }
            }
    return table;
}

constexpr ShortLineTable ShortLines = MakeShortLines();

void LongBresenham(std::uint32_t* at, int dc, int dr, int columnStep, int rowStep, std::uint32_t pixel);

// Bresenham's steps without their branches, for pixel ends inside the
// raster. Short lines, the bulk of any polyline, write a fixed eight pixels
// from the table (the last one again where the line is shorter); longer ones
// step with the minor move as a select: the major axis advances every step.
[[gnu::always_inline]] inline void FastBresenham(Surface& surface, int c1, int r1, int c2, int r2,
                                                 std::uint32_t pixel) {
    const int dc = std::abs(c2 - c1), dr = std::abs(r2 - r1);
    std::uint32_t* at = surface.pixels.data() + r1 * Surface::Width + c1;
    if ((dc | dr) <= ShortExtent) [[likely]] {
        const ShortLine& line = ShortLines[ShortIndex(c1 < c2, r1 < r2, dc, dr)];
#pragma GCC unroll 8
        for (int i = 0; i <= ShortExtent; ++i) at[line.offsets[i]] = pixel;
        return;
    }
    LongBresenham(at, dc, dr, c1 < c2 ? 1 : -1, r1 < r2 ? Surface::Width : -Surface::Width, pixel);
}

void LongBresenham(std::uint32_t* at, int dc, int dr, int columnStep, int rowStep, std::uint32_t pixel) {
    int error = dc - dr;
    for (int left = std::max(dc, dr);; --left) {
        *at = pixel;
        if (left == 0) return;
        const int twice = 2 * error;
        const bool alongColumns = twice >= -dr, alongRows = twice <= dc;
        error += (alongColumns ? -dr : 0) + (alongRows ? dc : 0);
        at += (alongColumns ? columnStep : 0) + (alongRows ? rowStep : 0);
    }
}

void ClippedLine(Surface& surface, Span s, std::uint32_t pixel) {
    if (!ClipToRaster(s)) return;
    FastBresenham(surface, PixelIndex(s.u1, Surface::Width), PixelIndex(s.v1, Surface::Height),
                  PixelIndex(s.u2, Surface::Width), PixelIndex(s.v2, Surface::Height), pixel);
}

}  // namespace

void Clear(Surface& surface) {
    std::fill(surface.pixels.begin(), surface.pixels.end(), Surface::Background);
}

#if defined(__SSE2__)
// Both ends at once. A line with both ends inside the raster needs no clip
// (the clip would leave it as it is), and there floor is truncation; the far
// edges, exactly Width or Height, belong to the last column and row.
void LinePixel(Surface& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel) {
    const __m128 ends = _mm_setr_ps(x1, y1, x2, y2);
    const __m128 difference = _mm_sub_ps(ends, ends);  // not a number exactly where an end is not finite
    if (_mm_movemask_ps(_mm_cmpunord_ps(difference, difference)) != 0) RaiseNotFinite();
    const __m128d one = _mm_set1_pd(1.0), scale = _mm_setr_pd(ColumnsPerUnit, RowsPerUnit);
    const __m128d limit = _mm_setr_pd(Surface::Width, Surface::Height), zero = _mm_setzero_pd();
    const __m128d a = _mm_mul_pd(_mm_add_pd(_mm_cvtps_pd(ends), one), scale);
    const __m128d b = _mm_mul_pd(_mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(ends, ends)), one), scale);
    const __m128d inside = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(a, zero), _mm_cmple_pd(a, limit)),
                                      _mm_and_pd(_mm_cmpge_pd(b, zero), _mm_cmple_pd(b, limit)));
    if (_mm_movemask_pd(inside) != 3) [[unlikely]] {
        alignas(16) double u[4];
        _mm_store_pd(u, a), _mm_store_pd(u + 2, b);
        return ClippedLine(surface, {u[0], u[1], u[2], u[3]}, pixel);
    }
    __m128i pixels = _mm_unpacklo_epi64(_mm_cvttpd_epi32(a), _mm_cvttpd_epi32(b));
    const __m128i edge = _mm_setr_epi32(Surface::Width, Surface::Height, Surface::Width, Surface::Height);
    pixels = _mm_add_epi32(pixels, _mm_cmpeq_epi32(pixels, edge));  // minus one on the far edges
    alignas(16) std::int32_t p[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(p), pixels);
    FastBresenham(surface, p[0], p[1], p[2], p[3], pixel);
}
#else
void LinePixel(Surface& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel) {
    ClippedLine(surface, ToRaster(x1, y1, x2, y2), pixel);
}
#endif

void LineBetweenPixels(Surface& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    FastBresenham(surface, c1, r1, c2, r2, pixel);
}

namespace {

// Where a short line's pixels start and its entry in ShortLines, or -1 for a
// long line; worked out for a run of lines before any is drawn.
struct ShortPlan {
    std::int32_t start[PixelChain::MaxCount], entry[PixelChain::MaxCount];
};

void PlanOne(const PixelChain& c, int j, ShortPlan& plan) {
    const int c1 = c.column[j + 1], r1 = c.row[j + 1], c2 = c.column[j], r2 = c.row[j];
    const int dc = std::abs(c2 - c1), dr = std::abs(r2 - r1);
    plan.start[j] = r1 * Surface::Width + c1;
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
    const __m256i index = _mm256_add_epi32(
        _mm256_slli_epi32(_mm256_add_epi32(_mm256_slli_epi32(direction, 3), dc), 3), dr);  // as ShortIndex
    const __m256i longLine = _mm256_cmpgt_epi32(_mm256_or_si256(dc, dr), _mm256_set1_epi32(ShortExtent));
    const __m256i start = _mm256_add_epi32(_mm256_mullo_epi32(r1, _mm256_set1_epi32(Surface::Width)), c1);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(plan.entry + j), _mm256_or_si256(index, longLine));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(plan.start + j), start);
}

bool HasAvx2() { return __builtin_cpu_supports("avx2"); }
#else
void PlanEight(const PixelChain& c, int j, ShortPlan& plan) {
    for (int i = j; i < j + 8; ++i) PlanOne(c, i, plan);
}
bool HasAvx2() { return false; }
#endif

void DrawPlanned(Surface& surface, const PixelChain& chain, const ShortPlan& plan) {
    for (int j = 0; j < chain.count; ++j) {
        if ((chain.inside >> j & 3) != 3) [[unlikely]] {
            LinePixel(surface, chain.x[j + 1], chain.y[j + 1], chain.x[j], chain.y[j], chain.pixel[j]);
        } else if (plan.entry[j] >= 0) [[likely]] {
            std::uint32_t* at = surface.pixels.data() + plan.start[j];
            const ShortLine& line = ShortLines[plan.entry[j]];
#pragma GCC unroll 8
            for (int i = 0; i <= ShortExtent; ++i) at[line.offsets[i]] = chain.pixel[j];
        } else {
            FastBresenham(surface, chain.column[j + 1], chain.row[j + 1], chain.column[j], chain.row[j], chain.pixel[j]);
        }
    }
}

}  // namespace

void DrawPixelChain(Surface& surface, const PixelChain& chain) {
    if (chain.count > PixelChain::MaxCount) RaiseIndexOutOfRange();
    ShortPlan plan;
    int j = 0;
    if (HasAvx2())
        for (; j + 8 <= chain.count; j += 8) PlanEight(chain, j, plan);  // reads ends j .. j + 8
    for (; j < chain.count; ++j) PlanOne(chain, j, plan);
    DrawPlanned(surface, chain, plan);
}

void Line(Surface& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    LinePixel(surface, x1, y1, x2, y2, PackRgb(colour));
}

void LineStraightforward(Surface& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    Span s = ToRaster(x1, y1, x2, y2);
    if (!ClipToRaster(s)) return;
    Bresenham(surface, PixelIndex(s.u1, Surface::Width), PixelIndex(s.v1, Surface::Height),
              PixelIndex(s.u2, Surface::Width), PixelIndex(s.v2, Surface::Height), PackRgb(colour));
}

std::uint32_t PixelAt(const Surface& surface, int column, int row) {
    if (column < 0 || column >= Surface::Width || row < 0 || row >= Surface::Height) RaiseIndexOutOfRange();
    return surface.pixels[row * Surface::Width + column];
}
