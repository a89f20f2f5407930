#include "surface.h"

#include <cmath>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "line_clip.h"
#include "line_raster.h"
#include "run_time_error.h"

using namespace line_raster;

namespace line_raster {

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

}  // namespace line_raster

namespace {

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

}  // namespace

void Clear(Surface& surface) { std::fill(surface.pixels.begin(), surface.pixels.end(), Surface::Background); }

#if defined(__SSE2__)
// Both ends at once. A line with both ends inside the raster needs no clip
// (the clip would leave it as it is), and there floor is truncation; the far
// edges, exactly Width or Height, belong to the last column and row.
void LinePixel(Surface& surface, float x1, float y1, float x2, float y2, std::uint32_t pixel) {
    const __m128 ends = _mm_setr_ps(x1, y1, x2, y2);
    const __m128 difference = _mm_sub_ps(ends, ends);  // not a number exactly where an end is not finite
    if (_mm_movemask_ps(_mm_cmpunord_ps(difference, difference)) != 0)
        RaiseOperationFailed("Line: an end point is not a finite number");
    const __m128d one = _mm_set1_pd(1.0), scale = _mm_setr_pd(Surface::ColumnsPerUnit, Surface::RowsPerUnit);
    const __m128d limit = _mm_setr_pd(Surface::Width, Surface::Height), zero = _mm_setzero_pd();
    const __m128d a = _mm_mul_pd(_mm_add_pd(_mm_cvtps_pd(ends), one), scale);
    const __m128d b = _mm_mul_pd(_mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(ends, ends)), one), scale);
    const __m128d inside = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(a, zero), _mm_cmple_pd(a, limit)),
                                      _mm_and_pd(_mm_cmpge_pd(b, zero), _mm_cmple_pd(b, limit)));
    if (_mm_movemask_pd(inside) != 3) [[unlikely]] {
        return DrawClippedLine(surface, x1, y1, x2, y2, pixel, LineBetweenPixels);
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
    DrawClippedLine(surface, x1, y1, x2, y2, pixel, LineBetweenPixels);
}
#endif

void LineBetweenPixels(Surface& surface, int c1, int r1, int c2, int r2, std::uint32_t pixel) {
    FastBresenham(surface, c1, r1, c2, r2, pixel);
}

void Line(Surface& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    LinePixel(surface, x1, y1, x2, y2, PackRgb(colour));
}

void LineStraightforward(Surface& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    DrawClippedLine(surface, x1, y1, x2, y2, PackRgb(colour), Bresenham);
}

std::uint32_t PixelAt(const Surface& surface, int column, int row) {
    if (column < 0 || column >= Surface::Width || row < 0 || row >= Surface::Height) RaiseIndexOutOfRange();
    return surface.pixels[row * Surface::Width + column];
}
