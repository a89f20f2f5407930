#include "clip.h"

#include <algorithm>
#include <cmath>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "raster.h"
#include "run_time_error.h"

namespace {

struct Point {
    double x, y;
};

// Beyond this distance an end is "far": interpolating from it would cancel
// away the digits that place the line on the raster.
constexpr double FarLimit = 1024.0;

bool IsFar(Point p) { return std::fabs(p.x) > FarLimit || std::fabs(p.y) > FarLimit; }

// Liang-Barsky against the user square [-1, 1]^2, interpolating from the
// nearer end so that a far end costs no precision. Ends that need no cut are
// kept exactly.
bool ClipToSquare(Point& a, Point& b) {
    const bool fromB = std::fmax(std::fabs(b.x), std::fabs(b.y)) < std::fmax(std::fabs(a.x), std::fabs(a.y));
    const Point n = fromB ? b : a, f = fromB ? a : b;
    const double dx = f.x - n.x, dy = f.y - n.y;
    double enter = 0.0, leave = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {n.x + 1.0, 1.0 - n.x, n.y + 1.0, 1.0 - n.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave) return false;
    }
    const Point nearCut = enter > 0.0 ? Point{n.x + enter * dx, n.y + enter * dy} : n;
    const Point farCut = leave < 1.0 ? Point{n.x + leave * dx, n.y + leave * dy} : f;
    a = fromB ? farCut : nearCut;
    b = fromB ? nearCut : farCut;
    return true;
}

// A user coordinate inside the square to its pixel; the far edges belong to
// the last column and row.
int PixelIndex(double user, double perUnit, int size) {
    return std::clamp(static_cast<int>(std::floor((user + 1.0) * perUnit)), 0, size - 1);
}

// The pixels of a raster: its columns and rows.
struct Grid {
    int width, height;
};

// `draw(c1, r1, c2, r2)` is handed the end pixels of each piece that is left.
template <class Draw>
void DrawNearSegment(Point a, Point b, Grid grid, const Draw& draw) {
    if (!ClipToSquare(a, b)) return;
    const double columns = grid.width / 2.0, rows = grid.height / 2.0;  // per unit
    draw(PixelIndex(a.x, columns, grid.width), PixelIndex(a.y, rows, grid.height), PixelIndex(b.x, columns, grid.width),
         PixelIndex(b.y, rows, grid.height));
}

// Cohen-Sutherland outcode against the far box.
int FarOutcode(Point p) {
    return (p.x < -FarLimit) | (p.x > FarLimit) << 1 | (p.y < -FarLimit) << 2 | (p.y > FarLimit) << 3;
}

// Both ends far: halve the segment until a midpoint falls inside the far box,
// then clip the two halves, each from that near point. Midpoints of far ends
// keep their precision relative to their own size, unlike interpolation.
template <class Draw>
void DrawFromFarEnds(Point a, Point b, Grid grid, const Draw& draw, int depth) {
    for (; depth < 300; ++depth) {
        if (FarOutcode(a) & FarOutcode(b)) return;  // wholly beyond one side
        const Point m{(a.x + b.x) * 0.5, (a.y + b.y) * 0.5};
        if (!IsFar(m)) {
            DrawNearSegment(a, m, grid, draw);
            DrawNearSegment(m, b, grid, draw);
            return;
        }
        if (FarOutcode(a) & FarOutcode(m))
            a = m;
        else if (FarOutcode(m) & FarOutcode(b))
            b = m;
        else {  // passes a corner region: at most one half reaches the box
            DrawFromFarEnds(a, m, grid, draw, depth + 1);
            a = m;
        }
    }
}

// The cut works on the user square, whatever the raster's size: only the
// pixels of the ends that are left depend on it.
template <class Draw>
void ClipLine(float x1, float y1, float x2, float y2, Grid grid, const Draw& draw) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        RaiseOperationFailed("Line: an end point is not a finite number");
    const Point a{x1, y1}, b{x2, y2};
    if (IsFar(a) && IsFar(b))
        DrawFromFarEnds(a, b, grid, draw, 0);
    else
        DrawNearSegment(a, b, grid, draw);
}

}  // namespace

void DrawClippedLine(Canvas& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel, PixelLine draw) {
    ClipLine(x1, y1, x2, y2, {surface.width, surface.height},
             [&](int c1, int r1, int c2, int r2) { draw(surface, c1, r1, c2, r2, pixel); });
}

void LinePixelRuns(float x1, float y1, float x2, float y2, std::vector<PixelRun>& runs) {
    runs.clear();
    int c1, r1, c2, r2;
    if (PixelInside(x1, y1, c1, r1) && PixelInside(x2, y2, c2, r2)) return runs.push_back({c1, r1, c2, r2});
    ClipLine(x1, y1, x2, y2, {PictureWidth, PictureHeight}, [&](int a, int b, int c, int d) {
        runs.push_back({a, b, c, d});
    });
}

namespace {

#if defined(__x86_64__)
// Both ends at once, as PixelInside finds each: a line with both ends inside
// needs no cut, and there floor is truncation.
void LinePixelSse2(Canvas& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel) {
    const __m128 ends = _mm_setr_ps(x1, y1, x2, y2);
    const __m128 difference = _mm_sub_ps(ends, ends);  // not a number exactly where an end is not finite
    if (_mm_movemask_ps(_mm_cmpunord_ps(difference, difference)) != 0)
        RaiseOperationFailed("Line: an end point is not a finite number");
    const __m128d one = _mm_set1_pd(1.0), scale = _mm_setr_pd(PictureColumnsPerUnit, PictureRowsPerUnit);
    const __m128d limit = _mm_setr_pd(PictureWidth, PictureHeight), zero = _mm_setzero_pd();
    const __m128d a = _mm_mul_pd(_mm_add_pd(_mm_cvtps_pd(ends), one), scale);
    const __m128d b = _mm_mul_pd(_mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(ends, ends)), one), scale);
    const __m128d inside = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(a, zero), _mm_cmple_pd(a, limit)),
                                      _mm_and_pd(_mm_cmpge_pd(b, zero), _mm_cmple_pd(b, limit)));
    if (_mm_movemask_pd(inside) != 3) [[unlikely]] {
        return DrawClippedLine(surface, x1, y1, x2, y2, pixel, LineBetweenPixels);
    }
    __m128i pixels = _mm_unpacklo_epi64(_mm_cvttpd_epi32(a), _mm_cvttpd_epi32(b));
    const __m128i edge = _mm_setr_epi32(PictureWidth, PictureHeight, PictureWidth, PictureHeight);
    pixels = _mm_add_epi32(pixels, _mm_cmpeq_epi32(pixels, edge));  // minus one on the far edges
    alignas(16) std::int32_t p[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(p), pixels);
    FastBresenham(surface, p[0], p[1], p[2], p[3], pixel);
}
#endif

}  // namespace

void LinePixel(Canvas& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel, SimdLevel level) {
#if defined(__x86_64__)
    if (level != SimdLevel::Scalar) return LinePixelSse2(surface, x1, y1, x2, y2, pixel);
#endif
    (void)level;
    int c1, r1, c2, r2;
    if (PixelInside(x1, y1, c1, r1) && PixelInside(x2, y2, c2, r2)) [[likely]]
        return FastBresenham(surface, c1, r1, c2, r2, pixel);
    DrawClippedLine(surface, x1, y1, x2, y2, pixel, LineBetweenPixels);
}
