#include "tools3d.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "numbers.h"
#include "tools3d_ends.h"

ViewTrig ComputeViewTrig(Vec3 angles) {
    return {StoreFloat(std::cos(double(angles.x))), StoreFloat(std::sin(double(angles.x))),
            StoreFloat(std::cos(double(angles.y))), StoreFloat(std::sin(double(angles.y))),
            StoreFloat(std::cos(double(angles.z))), StoreFloat(std::sin(double(angles.z)))};
}

Vec3 RotateWithTrig(Vec3 v, const ViewTrig& t) { return RotateOneByOne(v, t); }

void SetLineColour(Tools3D& tools, float red, float green, float blue) {
    tools.LineRed = red;
    tools.LineGreen = green;
    tools.LineBlue = blue;
}

void RotatePoint(Vec3& v, Vec3 angles) { v = RotateOneByOne(v, ComputeViewTrig(angles)); }

ScreenPoint ProjectPoint(Vec3 v) { return ProjectOneByOne(v); }

namespace {

[[gnu::noinline]] void SetView(Tools3D& tools, Vec3 angles) {
    tools.trig = ComputeViewTrig(angles);
    const ViewTrig& t = tools.trig;
    const double pairs[12] = {t.ca,          t.ca, -double(t.sa), t.sa, t.cb,          t.cb,
                              -double(t.sb), t.sb, t.cc,          t.cc, -double(t.sc), t.sc};
    std::copy(pairs, pairs + 12, tools.rotationPairs);
    tools.trigAngles = angles;
    tools.trigValid = true;
    tools.endValid = false;
}

[[gnu::noinline]] End TransformOneByOne(Vec3 v, const Tools3D& tools) {
    const Vec3 rotated = RotateOneByOne(v, tools.trig);
    return {rotated.z, ProjectOneByOne(rotated)};
}

#if defined(__SSE2__)
// Rotate then Project with two components side by side. Each lane does the
// scalar operations (a - b·c as a + (-b)·c, the same IEEE operation), so
// every result has the scalar rounding. With every coordinate within ±1e30
// no rotated value can overflow (sines and cosines are at most 1), so only
// the projection is tested. False for an end that might not be finite: it
// goes the one-by-one way, which raises the error where it arises.
inline __m128d StorePair(__m128d v) { return _mm_cvtps_pd(_mm_cvtpd_ps(v)); }

inline __m128d RotatePair(__m128d a, const double* factors) {
    const __m128d swapped = _mm_shuffle_pd(a, a, 1);
    return StorePair(_mm_add_pd(_mm_mul_pd(_mm_load_pd(factors), a), _mm_mul_pd(_mm_load_pd(factors + 2), swapped)));
}

inline __m128 NonFinite(__m128d v) {
    const __m128d difference = _mm_sub_pd(v, v);  // not a number exactly when v is not finite
    return _mm_castpd_ps(_mm_cmpunord_pd(difference, difference));
}

bool TransformByPairs(Vec3 v, const Tools3D& tools, End& end) {
    const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), _mm_setr_ps(v.x, v.y, v.z, 0.0f));
    const double* r = tools.rotationPairs;
    const __m128d yz1 = RotatePair(_mm_set_pd(v.z, v.y), r);                        // y1, z1
    const __m128d zx1 = RotatePair(_mm_unpackhi_pd(yz1, _mm_set1_pd(v.x)), r + 4);  // z2, x1
    const __m128d xy2 = RotatePair(_mm_shuffle_pd(zx1, yz1, 1), r + 8);             // x2, y2
    const __m128d five = _mm_set_sd(5.0);
    const __m128d k = StorePair(_mm_div_sd(five, _mm_add_sd(zx1, five)));
    const __m128d kk = _mm_xor_pd(_mm_unpacklo_pd(k, k), _mm_set_pd(-0.0, 0.0));  // k, -k
    const __m128 screen = _mm_cvtpd_ps(_mm_mul_pd(kk, xy2));
    const __m128 unsure = _mm_or_ps(_mm_cmpnle_ps(magnitude, _mm_set1_ps(1e30f)),
                                    _mm_or_ps(NonFinite(kk), NonFinite(_mm_cvtps_pd(screen))));
    _mm_store_ss(&end.depth, _mm_cvtpd_ps(zx1));
    _mm_storel_pi(reinterpret_cast<__m64*>(&end.screen), screen);
    return _mm_movemask_ps(unsure) == 0;
}
#else
bool TransformByPairs(Vec3, const Tools3D&, End&) { return false; }
#endif

}  // namespace

void UseView(Tools3D& tools, Vec3 angles) {
    if (!tools.trigValid || !SameBits(tools.trigAngles, angles)) [[unlikely]]
        SetView(tools, angles);
}

bool TransformSure(Vec3 v, const Tools3D& tools, End& end) { return TransformByPairs(v, tools, end); }

End TransformOne(Vec3 v, const Tools3D& tools) {
    End end;
    if (TransformByPairs(v, tools, end)) [[likely]]
        return end;
    return TransformOneByOne(v, tools);
}

void LogSegment(Tools3D& tools, Vec3 p, Vec3 q, ScreenPoint s1, ScreenPoint s2, std::uint32_t pixel) {
    tools.log->push_back({p, q, s1.x, s1.y, s2.x, s2.y, UnpackRgb(pixel)});
}

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
    if (tools.surface) LineStraightforward(*tools.surface, s1.x, s1.y, s2.x, s2.y, colour);
    if (tools.log) LogSegment(tools, p, q, s1, s2, PackRgb(colour));
}

void DrawSegment(Tools3D& tools, Vec3 p, Vec3 q, Vec3 angles) {
    if (!tools.fastPath) return DrawSegmentStraightforward(tools, p, q, angles);
    UseView(tools, angles);
    const End e1 = TransformOne(p, tools);
    const End e2 = SecondEnd(q, tools);  // reused when it is the previous segment's first end
    bool failed = false;
    const float brightness = BrightnessOf(tools, e1.depth, e2.depth, failed);
    const std::uint32_t pixel = PixelOf(tools, brightness, failed);
    if (failed) [[unlikely]]
        return DrawSegmentStraightforward(tools, p, q, angles);  // raises the error
    KeepEnd(tools, p, e1);
    tools.Brightness = brightness;
    if (tools.surface) LinePixel(*tools.surface, e1.screen.x, e1.screen.y, e2.screen.x, e2.screen.y, pixel);
    if (tools.log) [[unlikely]]
        LogSegment(tools, p, q, e1.screen, e2.screen, pixel);
}
