#include "surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "run_time_error.h"

namespace {

// Continuous raster coordinates: 0..Width across, 0..Height down. A user
// point maps to the pixel whose square contains it; the far edges belong to
// the last row and column.
constexpr double ColumnsPerUnit = Surface::Width / 2.0;  // 282.5
constexpr double RowsPerUnit = Surface::Height / 2.0;    // 258.5

struct Span {
    double u1, v1, u2, v2;
};

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

}  // namespace

void Clear(Surface& surface) {
    std::fill(surface.pixels.begin(), surface.pixels.end(), Surface::Background);
}

void Line(Surface& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        RaiseOperationFailed("Line: an end point is not a finite number");
    Span s{(double(x1) + 1.0) * ColumnsPerUnit, (double(y1) + 1.0) * RowsPerUnit,
           (double(x2) + 1.0) * ColumnsPerUnit, (double(y2) + 1.0) * RowsPerUnit};
    if (!ClipToRaster(s)) return;
    Bresenham(surface, PixelIndex(s.u1, Surface::Width), PixelIndex(s.v1, Surface::Height),
              PixelIndex(s.u2, Surface::Width), PixelIndex(s.v2, Surface::Height), PackRgb(colour));
}

std::uint32_t PixelAt(const Surface& surface, int column, int row) {
    if (column < 0 || column >= Surface::Width || row < 0 || row >= Surface::Height) RaiseIndexOutOfRange();
    return surface.pixels[row * Surface::Width + column];
}
