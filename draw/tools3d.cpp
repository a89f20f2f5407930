#include "tools3d.h"

#include <cmath>

#include "clip.h"
#include "colour.h"
#include "numbers.h"
#include "plain_route.h"
#include "transform.h"

ViewTrig ComputeViewTrig(Vec3 angles) {
    return {StoreFloat(std::cos(double(angles.x))), StoreFloat(std::sin(double(angles.x))),
            StoreFloat(std::cos(double(angles.y))), StoreFloat(std::sin(double(angles.y))),
            StoreFloat(std::cos(double(angles.z))), StoreFloat(std::sin(double(angles.z)))};
}

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
}

void RotatePoint(Vec3& v, Vec3 angles) { v = RotateOneByOne(v, ComputeViewTrig(angles)); }

ScreenPoint ProjectPoint(Vec3 v) { return ProjectOneByOne(v); }

// Transform, colour, clip, raster, each step once. A segment that any step
// is unsure of is replayed on the plain route, which raises the error there.
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
    if (tools.surface) LinePixel(*tools.surface, e1.screen.x, e1.screen.y, e2.screen.x, e2.screen.y, pixel, tools.simd);
    if (tools.log) [[unlikely]]
        LogSegment(tools, p, q, e1.screen, e2.screen, pixel);
}
