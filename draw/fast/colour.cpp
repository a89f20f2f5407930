#include "colour.h"

#include <cstring>

#include "lines.h"
#include "plain_route.h"
#include "transform.h"

namespace {

// What tells whether any of a batch's components would fail to round into a
// 16-bit integer: the largest value and the largest negated value rounded,
// and the sum of v - v over every value, zero exactly when all are finite.
template <class L>
struct ComponentChecks {
    L above = L{} - 32768.5, below = L{} - 32768.5, finite{};

    // Within -32768.5 .. 32767.5, and not 32767.5 itself, which rounds up.
    bool Passed() const {
        return EveryLane(above, [](double v) { return v < 32767.5; }) &&
               EveryLane(below, [](double v) { return v <= 32768.5; }) &&
               EveryLane(finite, [](double v) { return v == 0; });
    }
};

// A colour component: the product rounded to the nearest integer, ties to
// even, held to 0 .. 255. Within the 16-bit range, adding and taking away
// 1.5 * 2^52 rounds so.
template <class L>
inline L Component(float factor, L brightness, ComponentChecks<L>& checks) {
    const L value = double(factor) * brightness;
    checks.above = Larger(checks.above, value), checks.below = Larger(checks.below, -value);
    checks.finite += value - value;
    const L rounded = (value + 0x1.8p52) - 0x1.8p52;
    return Smaller(Larger(rounded, L{}), L{} + 255.0);
}

// Brightness and pixel of each segment, blue, green, red, as the plain route
// works them out; then the lines, or the plain route when one would fail.
template <class L>
inline void ColourOf(Tools3D& tools, Batch& b) {
    constexpr int W = LaneCount<L>;
    const bool grey = GreyLines(tools);
    ComponentChecks<L> checks;
    for (int j = 0; j < b.count; j += W) {
        L z2, z1;
        std::memcpy(&z2, b.depth + j, sizeof z2), std::memcpy(&z1, b.depth + j + 1, sizeof z1);
        const L stored = BrightnessOf(tools, z1, z2, StoreQuietly{});
        checks.finite += stored - stored;
        const L level = ZeroBelow(stored);
        StoreFloats(level, b.brightness + j);
        const L blue = Component(tools.LineBlue, level, checks);
        L rgb = blue * double(0x010101);
        if (!grey) {
            const L green = Component(tools.LineGreen, level, checks);
            rgb = (Component(tools.LineRed, level, checks) * 256.0 + green) * 256.0 + blue;
        }
        std::int32_t packed[W];
        TruncateToInts(rgb, packed);
        for (int k = 0; k < W; ++k) b.pixel[j + k] = 0xFF000000u | std::uint32_t(packed[k]);
    }
    if (!checks.Passed()) [[unlikely]]
        return DrawChainPlainly(tools, b.points, b.count + 1);
    DrawColoured(tools, b.Coloured());
}

}  // namespace

void ColourBatch(Tools3D& tools, Batch& b, Lanes<double>) { ColourOf<double>(tools, b); }

#if ORBIZA_DOUBLE_PAIRS
void ColourBatch(Tools3D& tools, Batch& b, Lanes<Double2>) { ColourOf<Double2>(tools, b); }
#endif

#if defined(__x86_64__)
[[gnu::target("avx2"), gnu::flatten]] void ColourBatch(Tools3D& tools, Batch& b, Lanes<Double4>) {
    ColourOf<Double4>(tools, b);
}
#endif
