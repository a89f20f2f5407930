#include "colour.h"

#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "double_pairs.h"

namespace {

#if defined(__x86_64__)
// One colour component of four segments as ComponentOf works it out: the
// product rounded to the nearest integer, ties to even (the processor's
// rounding), then held to 0 .. 255. Outside -32768.5 .. 32767.5 and where
// 32767.5 rounds up, RoundToInt16 would fail.
[[gnu::target("avx2")]] inline __m128i ComponentFour(float factor, __m256d brightness, __m256d& failed) {
    const __m256d value = _mm256_mul_pd(_mm256_set1_pd(factor), brightness);
    failed = _mm256_or_pd(failed, _mm256_cmp_pd(value, _mm256_set1_pd(-32768.5), _CMP_NGE_UQ));
    failed = _mm256_or_pd(failed, _mm256_cmp_pd(value, _mm256_set1_pd(32767.5), _CMP_NLT_UQ));
    const __m128i rounded = _mm256_cvtpd_epi32(value);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(rounded, rounded), _mm_setzero_si128());
    return _mm_cvtepu8_epi32(bytes);
}

// BrightnessOf and PixelOf, four segments to a register.
[[gnu::target("avx2")]] bool ColourFour(const Tools3D& tools, const Ends& e, int n, float* brightness,
                                        std::uint32_t* pixels) {
    const __m256d range = _mm256_set1_pd(tools.DepthRange), gain = _mm256_set1_pd(tools.DepthGain);
    const __m256d base = _mm256_set1_pd(tools.DepthBase), half = _mm256_set1_pd(0.5);
    // Equal factors give equal components: a grey is worked out once.
    const bool grey = SameFloatBits(tools.LineRed, tools.LineBlue) && SameFloatBits(tools.LineGreen, tools.LineBlue);
    __m256d failed = _mm256_setzero_pd();
    __m128 notFinite = _mm_setzero_ps();
    for (int j = 0; j < n; j += 8) {  // two registers side by side, as in TransformFour
        __m256d level[2];
#pragma GCC unroll 2
        for (int g = 0; g < 2; ++g) {
            const int at = j + 4 * g;
            const __m256d z2 = _mm256_loadu_pd(e.depth + at), z1 = _mm256_loadu_pd(e.depth + at + 1);
            const __m256d cue = _mm256_div_pd(_mm256_add_pd(z2, z1), range);
            const __m128 stored = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(half, cue), gain), base));
            const __m128 difference = _mm_sub_ps(stored, stored);
            notFinite = _mm_or_ps(notFinite, _mm_cmpunord_ps(difference, difference));
            const __m128 clamped = _mm_andnot_ps(_mm_cmplt_ps(stored, _mm_setzero_ps()), stored);  // keeps -0
            _mm_storeu_ps(brightness + at, clamped);
            level[g] = _mm256_cvtps_pd(clamped);
        }
#pragma GCC unroll 2
        for (int g = 0; g < 2; ++g) {
            const __m128i blue = ComponentFour(tools.LineBlue, level[g], failed);
            const __m128i green = grey ? blue : ComponentFour(tools.LineGreen, level[g], failed);
            const __m128i red = grey ? blue : ComponentFour(tools.LineRed, level[g], failed);
            const __m128i pixel = _mm_or_si128(_mm_or_si128(_mm_set1_epi32(int(0xFF000000u)), _mm_slli_epi32(red, 16)),
                                               _mm_or_si128(_mm_slli_epi32(green, 8), blue));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + j + 4 * g), pixel);
        }
    }
    return (_mm256_movemask_pd(failed) | _mm_movemask_ps(notFinite)) == 0;
}

#endif

#if ORBIZA_DOUBLE_PAIRS
// What tells whether any of a batch's colours would fail: the largest value
// and the largest negated value a component rounds, and the sum of v - v
// over every value, which is zero exactly when all are finite.
struct ColourChecks {
    Double2 above = Double2{} - 32768.5, below = Double2{} - 32768.5, finite = {};
};

// A colour component of two segments, as ComponentOf works it out. Within
// the 16-bit range, adding and taking away 1.5 * 2^52 rounds to the nearest
// integer, ties to even, as lrint does.
inline Double2 ComponentTwo(float factor, Double2 brightness, ColourChecks& checks) {
    const Double2 value = double(factor) * brightness;
    checks.above = Larger(checks.above, value), checks.below = Larger(checks.below, -value);
    checks.finite += value - value;
    const Double2 rounded = (value + 0x1.8p52) - 0x1.8p52;
    return Smaller(Larger(rounded, Double2{}), Double2{} + 255.0);
}

// BrightnessOf and PixelOf, two segments to a register. An odd batch's last
// register reads end n + 1, TransformTwo's finite padding.
bool ColourTwo(const Tools3D& tools, const Ends& e, int n, float* brightness, std::uint32_t* pixels) {
    const double range = tools.DepthRange, gain = tools.DepthGain, base = tools.DepthBase;
    // Equal factors give equal components: a grey is worked out once.
    const bool grey = SameFloatBits(tools.LineRed, tools.LineBlue) && SameFloatBits(tools.LineGreen, tools.LineBlue);
    ColourChecks checks;
    for (int j = 0; j < n; j += 2) {
        Double2 z2, z1;
        std::memcpy(&z2, e.depth + j, sizeof z2), std::memcpy(&z1, e.depth + j + 1, sizeof z1);
        const Double2 stored = RoundToFloats((0.5 - (z2 + z1) / range) * gain + base);
        checks.finite += stored - stored;
        const Double2 level = ZeroBelow(stored);
        StoreFloats(level, brightness + j);
        const Double2 blue = ComponentTwo(tools.LineBlue, level, checks);
        Double2 rgb = blue * double(0x010101);
        if (!grey) {
            const Double2 green = ComponentTwo(tools.LineGreen, level, checks);
            rgb = (ComponentTwo(tools.LineRed, level, checks) * 256.0 + green) * 256.0 + blue;
        }
        std::int32_t packed[2];
        TruncateToInts(rgb, packed);
        pixels[j] = 0xFF000000u | std::uint32_t(packed[0]), pixels[j + 1] = 0xFF000000u | std::uint32_t(packed[1]);
    }
    // Within -32768.5 .. 32767.5, and not 32767.5 itself, which rounds up.
    return checks.above[0] < 32767.5 && checks.above[1] < 32767.5 && checks.below[0] <= 32768.5 &&
           checks.below[1] <= 32768.5 && checks.finite[0] == 0 && checks.finite[1] == 0;
}
#endif

}  // namespace

bool ColourBatch(const Tools3D& tools, const Ends& e, int n, float* brightness, std::uint32_t* pixels) {
#if defined(__x86_64__)
    if (tools.simd == SimdLevel::Avx2) return ColourFour(tools, e, n, brightness, pixels);
#endif
#if ORBIZA_DOUBLE_PAIRS
    if (PairLevel(tools.simd)) return ColourTwo(tools, e, n, brightness, pixels);
#endif
    bool sure = true;
    for (int j = 0; j < n; ++j)
        sure &= ColourSure(tools, float(e.depth[j + 1]), float(e.depth[j]), brightness[j], pixels[j]);
    return sure;
}
