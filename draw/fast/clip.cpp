#include "clip.h"

#include <algorithm>
#include <cmath>

#include "end_pixel.h"
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

// The pixel of a cut end, which lies on the square up to the rounding of
// the cut: held to it, then found as for any end.
void CutEndPixel(Point p, int width, int height, std::int32_t& column, std::int32_t& row) {
    EndPixels(std::clamp(p.x, -1.0, 1.0), std::clamp(p.y, -1.0, 1.0), width, height, &column, &row);
}

// The pixels of a raster: its columns and rows.
struct Grid {
    int width, height;
};

// `draw(c1, r1, c2, r2)` is handed the end pixels of each piece that is left.
template <class Draw>
void DrawNearSegment(Point a, Point b, Grid grid, const Draw& draw) {
    if (!ClipToSquare(a, b)) return;
    std::int32_t c1, r1, c2, r2;
    CutEndPixel(a, grid.width, grid.height, c1, r1), CutEndPixel(b, grid.width, grid.height, c2, r2);
    draw(c1, r1, c2, r2);
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

void ClipToRuns(float x1, float y1, float x2, float y2, int width, int height, std::vector<PixelRun>& runs) {
    ClipLine(x1, y1, x2, y2, {width, height}, [&](int c1, int r1, int c2, int r2) {
        runs.push_back({c1, r1, c2, r2});
    });
}
