#include "tools3d.h"

#include <algorithm>
#include <cmath>

#include "numbers.h"

ViewTrig ComputeViewTrig(Vec3 angles) {
    return {StoreFloat(std::cos(double(angles.x))), StoreFloat(std::sin(double(angles.x))),
            StoreFloat(std::cos(double(angles.y))), StoreFloat(std::sin(double(angles.y))),
            StoreFloat(std::cos(double(angles.z))), StoreFloat(std::sin(double(angles.z)))};
}

// About X, then Y, then Z; every intermediate stored as a float.
Vec3 RotateWithTrig(Vec3 v, const ViewTrig& t) {
    const float y1 = StoreFloat(double(t.ca) * v.y - double(t.sa) * v.z);
    const float z1 = StoreFloat(double(t.ca) * v.z + double(t.sa) * v.y);
    const float z2 = StoreFloat(double(t.cb) * z1 - double(t.sb) * v.x);
    const float x1 = StoreFloat(double(t.cb) * v.x + double(t.sb) * z1);
    const float x2 = StoreFloat(double(t.cc) * x1 - double(t.sc) * y1);
    const float y2 = StoreFloat(double(t.cc) * y1 + double(t.sc) * x1);
    return {x2, y2, z2};
}

void SetLineColour(Tools3D& tools, float red, float green, float blue) {
    tools.LineRed = red;
    tools.LineGreen = green;
    tools.LineBlue = blue;
}

void RotatePoint(Vec3& v, Vec3 angles) { v = RotateWithTrig(v, ComputeViewTrig(angles)); }

// Eye at z = -5 looking along +z; y is negated so model +y points up.
ScreenPoint ProjectPoint(Vec3 v) {
    const float k = StoreFloat(5.0 / (double(v.z) + 5.0));
    return {StoreFloat(double(k) * v.x), StoreFloat(-double(k) * v.y)};
}

namespace {

const ViewTrig& TrigFor(Tools3D& tools, Vec3 angles) {
    if (!tools.trigValid || !SameBits(tools.trigAngles, angles)) {
        tools.trig = ComputeViewTrig(angles);
        tools.trigAngles = angles;
        tools.trigValid = true;
    }
    return tools.trig;
}

std::uint8_t Component(float factor, float brightness) {
    const std::int16_t level = RoundToInt16(double(factor) * brightness);
    return static_cast<std::uint8_t>(std::clamp<int>(level, 0, 255));
}

}  // namespace

void DrawSegment(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles) {
    const ViewTrig& trig = TrigFor(tools, angles);
    const Vec3 p1 = RotateWithTrig(p, trig);
    const Vec3 p2 = RotateWithTrig(q, trig);
    const ScreenPoint s1 = ProjectPoint(p1);
    const ScreenPoint s2 = ProjectPoint(p2);

    const double cue = (double(p2.z) + p1.z) / tools.DepthRange;
    tools.Brightness = StoreFloat((0.5 - cue) * tools.DepthGain + tools.DepthBase);
    if (tools.Brightness < 0) tools.Brightness = 0;

    Rgb colour;
    colour.blue = Component(tools.LineBlue, tools.Brightness);
    colour.green = Component(tools.LineGreen, tools.Brightness);
    colour.red = Component(tools.LineRed, tools.Brightness);

    if (tools.surface) Line(*tools.surface, s1.x, s1.y, s2.x, s2.y, colour);
    if (tools.log) tools.log->push_back({p, q, s1.x, s1.y, s2.x, s2.y, colour});
}
