#pragma once

// The second step of a segment: its brightness from the depth cue and its
// colour, each noting a failure where the plain route would raise one.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "numbers.h"
#include "tools3d.h"
#include "transform.h"

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

// Brightness and pixel of one segment from its ends' depths; false when the
// plain route would raise.
inline bool ColourSure(const Tools3D& tools, float z1, float z2, float& brightness, std::uint32_t& pixel) {
    bool failed = false;
    brightness = BrightnessOf(tools, z1, z2, failed);
    pixel = PixelOf(tools, brightness, failed);
    return !failed;
}

// Brightness and pixel of the batch's segments 0 .. n - 1 (segment j joins
// end j + 1 to end j); false when one would raise.
bool ColourBatch(const Tools3D& tools, const Ends& e, int n, float* brightness, std::uint32_t* pixels);
