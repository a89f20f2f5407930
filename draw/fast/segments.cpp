// The drawing entry points. DrawSegment takes one segment through the four
// steps, transform, colour, clip and raster, each once. DrawSegmentChain
// takes a polyline's segments in batches through the same steps: the ends of
// a batch are transformed together (four to a register at the AVX2 level),
// each mapped to its pixel once although two segments share it; then the
// segments are coloured, and clipped and drawn in order. A segment or batch
// that any step is unsure of is replayed on the plain route, one segment at a
// time, which raises the error there.
#include <algorithm>

#include "clip.h"
#include "colour.h"
#include "pen.h"
#include "pixel_chain.h"
#include "plain_route.h"
#include "transform.h"

namespace {

constexpr int Batch = Ends::Batch;

// A line on one canvas: on the picture by its own fast route, on a canvas at
// another scale with that canvas's pen.
void LineOn(Canvas& surface, ScreenPoint a, ScreenPoint b, std::uint32_t pixel, SimdLevel level) {
    if (AtPictureSize(surface)) [[likely]]
        return LinePixel(surface, a.x, a.y, b.x, b.y, pixel, level);
    ScaledLinePixel(surface, a.x, a.y, b.x, b.y, pixel);
}

void ChainOn(Canvas& surface, const PixelChain& chain, SimdLevel level) {
    if (AtPictureSize(surface)) [[likely]]
        return DrawPixelChain(surface, chain, level);
    DrawScaledChain(surface, chain, level);
}

void DrawBatch(Tools3D& tools, const Vec3* points, const Ends& e, int n, const float* brightness,
               const std::uint32_t* pixels) {
    const PixelChain chain{e.screenX, e.screenY, e.column, e.row, e.inside, pixels, n};
    if (!tools.log) {
        if (tools.surface) ChainOn(*tools.surface, chain, tools.simd);
        if (tools.display) [[unlikely]]
            ChainOn(*tools.display, chain, tools.simd);
        tools.Brightness = brightness[n - 1];
        return;
    }
    for (int j = 0; j < n; ++j) {  // segment by segment, so that the log never runs ahead of the picture
        tools.Brightness = brightness[j];
        const PixelChain one{
            chain.x + j, chain.y + j, chain.column + j, chain.row + j, chain.inside >> j, chain.pixel + j, 1};
        if (tools.surface) ChainOn(*tools.surface, one, tools.simd);
        if (tools.display) ChainOn(*tools.display, one, tools.simd);
        LogSegment(tools, points[j + 1], points[j], {e.screenX[j + 1], e.screenY[j + 1]}, {e.screenX[j], e.screenY[j]},
                   pixels[j]);
    }
}

}  // namespace

void DrawSegment(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles) {
    if (!tools.fastPath) return DrawSegmentStraightforward(tools, p, q, angles);
    UseView(tools, angles);
    End e1{}, e2{};  // the second end is reused when it is the previous segment's first
    float brightness = 0;
    std::uint32_t pixel = 0;
    if (!TransformSure(p, tools, e1) || !SecondEndSure(q, tools, e2) ||
        !ColourSure(tools, e1.depth, e2.depth, brightness, pixel)) [[unlikely]]
        return DrawSegmentStraightforward(tools, p, q, angles);
    KeepEnd(tools, p, e1);
    tools.Brightness = brightness;
    if (tools.surface) LineOn(*tools.surface, e1.screen, e2.screen, pixel, tools.simd);
    if (tools.display) [[unlikely]]
        LineOn(*tools.display, e1.screen, e2.screen, pixel, tools.simd);
    if (tools.log) [[unlikely]]
        LogSegment(tools, p, q, e1.screen, e2.screen, pixel);
}

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
        End first;
        bool sure = TransformBatch(tools, points + i, n, e) && SecondEndSure(points[i - 1], tools, first);
        if (sure) {
            StoreEnd(e, 0, first);
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
