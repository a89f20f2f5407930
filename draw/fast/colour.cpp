#include "colour.h"

#include <cstring>

#include "lines.h"
#include "transform.h"

namespace {

// What tells whether any of a batch's values would fail: the sum of v - v
// over every value, zero exactly when all are finite, and the largest of r
// and -1 - r over every rounded component r, which lies below 32767.5
// exactly when each r is a 16-bit integer.
template <class L>
struct ColourChecks {
    L finite{}, range{};

    bool Passed() const { return AllZero(finite) && AllBelow(range, 32767.5); }
};

// A colour component: the product rounded to the nearest integer, ties to
// even, held to 0 .. 255. Adding and taking away 1.5 * 2^52 rounds so within
// 2^51, and leaves a value beyond the 16-bit range beyond it.
template <class L>
inline L Component(float factor, L brightness, ColourChecks<L>& checks) {
    const L value = double(factor) * brightness;
    checks.finite += value - value;
    const L rounded = (value + 0x1.8p52) - 0x1.8p52;
    checks.range = Larger(checks.range, Larger(rounded, -1.0 - rounded));
    return Smaller(Larger(rounded, L{}), L{} + 255.0);
}

// A colour given is the colour step's answer: it takes the place of the one
// worked out from the brightness.
void GiveColours(Batch& b) {
    for (int j = 0; j < b.count; ++j)
        if (b.colours[j + 1].given) b.pixel[j] = PackRgb(b.colours[j + 1].rgb);
}

// Brightness and pixel of each segment, blue, green, red, as the plain route
// works them out; then the lines, or the batch's replay by the plain route
// when one would fail (which a colour given never does there).
template <class L>
inline void ColourOf(Tools3D& tools, Batch& b) {
    constexpr int W = LaneCount<L>;
    const bool grey = GreyLines(tools);
    ColourChecks<L> checks;
    for (int j = 0; j < b.count; j += W) {
        L z2;
        std::memcpy(&z2, b.depth + j, sizeof z2);
        const L z1 = NextLanes(z2, j + W <= b.count ? b.depth[j + W] : 0.0);  // past the last end, a zero point's
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
        return b.replay(tools, b.points, b.colours, b.count + 1);
    if (b.colours) [[unlikely]]
        GiveColours(b);
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
