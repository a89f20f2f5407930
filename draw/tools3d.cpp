#include "tools3d.h"

#include <cmath>

#include "fast/kernels.h"
#include "fast/plain_route.h"
#include "fast/transform.h"

namespace {

// The rounded sines and cosines of an angle triple.
ViewTrig ViewTrigOf(Vec3 angles) {
    return {StoreFloat(std::cos(double(angles.x))), StoreFloat(std::sin(double(angles.x))),
            StoreFloat(std::cos(double(angles.y))), StoreFloat(std::sin(double(angles.y))),
            StoreFloat(std::cos(double(angles.z))), StoreFloat(std::sin(double(angles.z)))};
}

// Makes `tools.trig` that of the angles, which rarely change.
void UseView(Tools3D& tools, Vec3 angles) {
    if (tools.trigValid && SameBits(tools.trigAngles, angles)) [[likely]]
        return;
    tools.trig = ViewTrigOf(angles);
    tools.trigAngles = angles;
    tools.trigValid = true;
}

void UseKernels(Tools3D& tools, const DrawingKernels& kernels) {
    tools.kernels = &kernels;
    AttachCanvases(tools, tools.surface.canvas, tools.display.canvas);
}

AttachedCanvas Attached(const Tools3D& tools, Canvas* surface) {
    return {surface, surface ? LinesFor(*tools.kernels, *surface) : nullptr};
}

}  // namespace

void SetLineColour(Tools3D& tools, float red, float green, float blue) {
    tools.LineRed = red;
    tools.LineGreen = green;
    tools.LineBlue = blue;
}

void StartUpDrawing(Tools3D& tools, SimdLevel level) {
    tools.DepthRange = StartDepthRange;
    tools.DepthGain = StartDepthGain;
    tools.DepthBase = StartDepthBase;
    SetLineColour(tools, 1, 1, 1);
    tools.simd = level;
    UseKernels(tools, KernelsFor(level));
}

void UsePlainRoute(Tools3D& tools) { UseKernels(tools, PlainKernels); }

void AttachCanvases(Tools3D& tools, Canvas* surface, Canvas* display) {
    tools.surface = Attached(tools, surface);
    tools.display = Attached(tools, display);
}

void RotatePoint(Vec3& v, Vec3 angles) {
    double x = v.x, y = v.y, z = v.z;
    Rotate(ViewTrigOf(angles), x, y, z, StoreChecked{});
    v = {float(x), float(y), float(z)};
}

ScreenPoint ProjectPoint(Vec3 v) {
    double x = v.x, y = v.y;
    Project(x, y, double(v.z), StoreChecked{});
    return {float(x), float(y)};
}

void DrawSegment(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles) {
    const Vec3 ends[2] = {q, p};  // a chain of one segment
    DrawSegmentChain(tools, ends, 2, angles);
}

void DrawSegmentChain(Tools3D& tools, const Vec3* points, int count, Vec3 angles) {
    DrawSegmentChainInColours(tools, points, nullptr, count, angles);
}

void DrawSegmentChainInColours(Tools3D& tools, const Vec3* points, const PointColour* colours, int count, Vec3 angles) {
    if (count < 2) return;
    UseView(tools, angles);
    tools.kernels->chain(tools, points, colours, count, DrawChainPlainly);
}

void DrawSegmentChainSkippingErrors(Tools3D& tools, const Vec3* points, int count, Vec3 angles) {
    if (count < 2) return;
    UseView(tools, angles);
    tools.kernels->chain(tools, points, nullptr, count, DrawChainPlainlySkippingErrors);
}
