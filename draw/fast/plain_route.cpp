#include "plain_route.h"

#include <algorithm>

#include "colour.h"
#include "lines.h"
#include "numbers.h"
#include "transform.h"

namespace {

// As RoundToInt16 converts it, then held to 0 .. 255.
std::uint8_t Component(float factor, float brightness) {
    return static_cast<std::uint8_t>(std::clamp<int>(RoundToInt16(double(factor) * brightness), 0, 255));
}

// The colour from the line colour and the brightness, or the one given.
Rgb SegmentColour(const Tools3D& tools, const PointColour* given) {
    if (given && given->given) return given->rgb;
    Rgb colour;
    colour.blue = Component(tools.LineBlue, tools.Brightness);
    colour.green = Component(tools.LineGreen, tools.Brightness);
    colour.red = Component(tools.LineRed, tools.Brightness);
    return colour;
}

void DrawSegmentPlainly(Tools3D& tools, Vec3 p, Vec3 q, const PointColour* given) {
    double x1 = p.x, y1 = p.y, z1 = p.z, x2 = q.x, y2 = q.y, z2 = q.z;
    Rotate(tools.trig, x1, y1, z1, StoreChecked{});
    Rotate(tools.trig, x2, y2, z2, StoreChecked{});
    Project(x1, y1, z1, StoreChecked{});
    Project(x2, y2, z2, StoreChecked{});
    tools.Brightness = float(ZeroBelow(BrightnessOf(tools, z1, z2, StoreChecked{})));
    const Rgb colour = SegmentColour(tools, given);
    const Vec3 points[2] = {q, p};
    const float x[MostLanes] = {float(x2), float(x1)}, y[MostLanes] = {float(y2), float(y1)};
    const float brightness = tools.Brightness;
    const std::uint32_t pixel = PackRgb(colour);
    DrawColoured(tools, {points, x, y, &brightness, &pixel, 1});
}

}  // namespace

void DrawChainPlainly(Tools3D& tools, const Vec3* points, const PointColour* colours, int count) {
    for (int i = 1; i < count; ++i)
        DrawSegmentPlainly(tools, points[i], points[i - 1], colours ? colours + i : nullptr);
}

void DrawChainPlainlySkippingErrors(Tools3D& tools, const Vec3* points, const PointColour* colours, int count) {
    for (int i = 1; i < count; ++i) try {
            DrawSegmentPlainly(tools, points[i], points[i - 1], colours ? colours + i : nullptr);
        } catch (const RunTimeError&) {
        }
}

void DrawChainByPlainRoute(Tools3D& tools, const Vec3* points, const PointColour* colours, int count,
                           PlainChain replay) {
    replay(tools, points, colours, count);
}

void LinesPlainly(Canvas& surface, const ColouredSegments& s) {
    for (int j = 0; j < s.count; ++j) Line(surface, s.x[j + 1], s.y[j + 1], s.x[j], s.y[j], UnpackRgb(s.pixel[j]));
}
