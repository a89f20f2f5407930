#include "plain_route.h"

#include <algorithm>

#include "clip.h"
#include "numbers.h"
#include "pen.h"
#include "raster.h"
#include "transform.h"

namespace {

std::uint8_t Component(float factor, float brightness) {
    const std::int16_t level = RoundToInt16(double(factor) * brightness);
    return static_cast<std::uint8_t>(std::clamp<int>(level, 0, 255));
}

}  // namespace

void DrawSegmentStraightforward(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles) {
    UseView(tools, angles);
    const Vec3 p1 = RotateOneByOne(p, tools.trig), p2 = RotateOneByOne(q, tools.trig);
    const ScreenPoint s1 = ProjectOneByOne(p1), s2 = ProjectOneByOne(p2);
    const double cue = (double(p2.z) + p1.z) / tools.DepthRange;
    tools.Brightness = StoreFloat((0.5 - cue) * tools.DepthGain + tools.DepthBase);
    if (tools.Brightness < 0) tools.Brightness = 0;
    Rgb colour;
    colour.blue = Component(tools.LineBlue, tools.Brightness);
    colour.green = Component(tools.LineGreen, tools.Brightness);
    colour.red = Component(tools.LineRed, tools.Brightness);
    if (tools.surface) Line(*tools.surface, s1.x, s1.y, s2.x, s2.y, colour);
    if (tools.display) Line(*tools.display, s1.x, s1.y, s2.x, s2.y, colour);
    if (tools.log) LogSegment(tools, p, q, s1, s2, PackRgb(colour));
}

void Line(Canvas& surface, float x1, float y1, float x2, float y2, Rgb colour) {
    DrawClippedLine(surface, x1, y1, x2, y2, PackRgb(colour), AtPictureSize(surface) ? PlainBresenham : PenLine);
}

void LogSegment(Tools3D& tools, Vec3 p, Vec3 q, ScreenPoint s1, ScreenPoint s2, std::uint32_t pixel) {
    tools.log->push_back({p, q, s1.x, s1.y, s2.x, s2.y, UnpackRgb(pixel)});
}
