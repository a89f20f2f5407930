#pragma once

// Internals that DrawSegment and DrawSegmentChain share: an end worked out
// for drawing, the cached previous end, and brightness and colour that note
// a failure where the straightforward steps would raise one.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "numbers.h"
#include "tools3d.h"

// An end as a segment needs it: rotated depth and screen point.
struct End {
    float depth;
    ScreenPoint screen;
};

// About X, then Y, then Z; every intermediate stored as a float.
inline Vec3 RotateOneByOne(Vec3 v, const ViewTrig& t) {
    const float y1 = StoreFloat(double(t.ca) * v.y - double(t.sa) * v.z);
    const float z1 = StoreFloat(double(t.ca) * v.z + double(t.sa) * v.y);
    const float z2 = StoreFloat(double(t.cb) * z1 - double(t.sb) * v.x);
    const float x1 = StoreFloat(double(t.cb) * v.x + double(t.sb) * z1);
    const float x2 = StoreFloat(double(t.cc) * x1 - double(t.sc) * y1);
    const float y2 = StoreFloat(double(t.cc) * y1 + double(t.sc) * x1);
    return {x2, y2, z2};
}

// Eye at z = -5 looking along +z; y is negated so model +y points up.
inline ScreenPoint ProjectOneByOne(Vec3 v) {
    const float k = StoreFloat(5.0 / (double(v.z) + 5.0));
    return {StoreFloat(double(k) * v.x), StoreFloat(-double(k) * v.y)};
}

// Makes `tools.trig` that of the angles.
void UseView(Tools3D& tools, Vec3 angles);

// One end rotated and projected, raising the error where the stored values
// one by one would.
End TransformOne(Vec3 v, const Tools3D& tools);

// The same without raising: false when a value might not be finite, and then
// `end` is not to be used.
bool TransformSure(Vec3 v, const Tools3D& tools, End& end);

// The end as the previous segment left it, or worked out afresh.
inline End SecondEnd(Vec3 q, const Tools3D& tools) {
    if (tools.endValid && SameBits(q, tools.endModel)) [[likely]]
        return {tools.endDepth, tools.endScreen};
    return TransformOne(q, tools);
}

inline void KeepEnd(Tools3D& tools, Vec3 model, End end) {
    tools.endModel = model, tools.endDepth = end.depth, tools.endScreen = end.screen;
    tools.endValid = true;
}

inline float BrightnessOf(const Tools3D& tools, float z1, float z2, bool& failed) {
    const double cue = (double(z2) + z1) / tools.DepthRange;
    const float brightness = static_cast<float>((0.5 - cue) * tools.DepthGain + tools.DepthBase);
    failed |= !std::isfinite(brightness);
    return brightness < 0 ? 0.0f : brightness;
}

// A colour component as RoundToInt16 would give it, noting where it would raise.
inline std::uint32_t ComponentOf(float factor, float brightness, bool& failed) {
    long rounded = 0;
    failed |= !RoundsIntoInt16(double(factor) * brightness, rounded);
    return static_cast<std::uint32_t>(std::clamp<long>(rounded, 0, 255));
}

inline bool SameFloatBits(float a, float b) { return __builtin_memcmp(&a, &b, sizeof a) == 0; }

// Blue, green, red: the order the components are worked out in. Equal
// factors give equal components, so a grey is worked out once.
inline std::uint32_t PixelOf(const Tools3D& tools, float brightness, bool& failed) {
    const std::uint32_t blue = ComponentOf(tools.LineBlue, brightness, failed);
    if (SameFloatBits(tools.LineRed, tools.LineBlue) && SameFloatBits(tools.LineGreen, tools.LineBlue)) [[likely]]
        return 0xFF000000u | blue << 16 | blue << 8 | blue;
    const std::uint32_t green = ComponentOf(tools.LineGreen, brightness, failed);
    const std::uint32_t red = ComponentOf(tools.LineRed, brightness, failed);
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

void LogSegment(Tools3D& tools, Vec3 p, Vec3 q, ScreenPoint s1, ScreenPoint s2, std::uint32_t pixel);

// Every end rotated and projected one value at a time, lines by the plain
// route: the reference, and the place where errors are raised.
void DrawSegmentStraightforward(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles);
