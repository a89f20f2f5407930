#pragma once

// The lane types the kernels are written for, each formula once over all of
// them: a double (one lane, on every target), Double2 (two doubles to a
// 128-bit register: SSE2 on x86-64, simd128 in WebAssembly) and Double4 (four
// to a 256-bit register: AVX2 on x86-64). A lane holds a float as the double
// it converts to, and every lane does the scalar operations in the scalar
// order, so every result has the scalar rounding. The helpers below do, for
// each type, what common arithmetic cannot say.
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

template <class L>
inline constexpr int LaneCount = int(sizeof(L) / sizeof(double));
inline constexpr int MostLanes = 4;

// One lane.

inline double RoundToFloats(double v) { return static_cast<float>(v); }
inline void StoreFloats(double v, float* out) { out[0] = static_cast<float>(v); }
inline void LoadFloats(const float* at, double& v) { v = at[0]; }

// Truncated to an integer; beyond the integer range, some integer for the caller to ignore.
inline void TruncateToInts(double v, std::int32_t* out) {
#if defined(__x86_64__)
    out[0] = _mm_cvttsd_si32(_mm_set_sd(v));
#else
    out[0] = v > -2147483649.0 && v < 2147483648.0 ? static_cast<std::int32_t>(v) : 0;
#endif
}

// u, in 0 .. size, as the pixel it falls in: truncated, the far edge given to the last pixel.
inline void PixelIndices(double u, double size, std::int32_t* out) { TruncateToInts(u == size ? u - 1.0 : u, out); }

// 1 where u lies in 0 .. width and v in 0 .. height.
inline unsigned WithinBits(double u, double width, double v, double height) {
    return u >= 0.0 && u <= width && v >= 0.0 && v <= height;
}

// `v < 0 ? 0 : v`: -0 and not-a-number stay.
inline double ZeroBelow(double v) { return v < 0.0 ? 0.0 : v; }

// The larger and the smaller, for lanes that are numbers; b where they tie.
inline double Larger(double a, double b) { return a > b ? a : b; }
inline double Smaller(double a, double b) { return a < b ? a : b; }

// Whether every lane is zero, and whether every lane lies below `limit`;
// not-a-number is neither.
inline bool AllZero(double v) { return v == 0.0; }
inline bool AllBelow(double v, double limit) { return v < limit; }

// The lanes one place on: lanes 1 .. of v, then `next`.
inline double NextLanes(double, double next) { return next; }

// Two lanes.
#if defined(__x86_64__) || defined(__wasm_simd128__)
#define ORBIZA_DOUBLE_PAIRS 1

typedef double Double2 __attribute__((vector_size(16)));

#if defined(__x86_64__)
inline __m128 DemoteFloats(Double2 v) { return _mm_cvtpd_ps(v); }
inline Double2 PromoteFloats(__m128 v) { return _mm_cvtps_pd(v); }
inline void LoadFloats(const float* at, Double2& v) {
    v = PromoteFloats(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(at))));
}
#else
// The empty statement keeps the two conversions vector instructions: the
// optimiser folds a demotion followed by a promotion into four scalar
// conversions.
inline v128_t DemoteFloats(Double2 v) {
    v128_t floats = wasm_f32x4_demote_f64x2_zero(v128_t(v));
    __asm__("" : "+r"(floats));
    return floats;
}
inline Double2 PromoteFloats(v128_t v) { return Double2(wasm_f64x2_promote_low_f32x4(v)); }
inline void LoadFloats(const float* at, Double2& v) { v = PromoteFloats(wasm_v128_load64_zero(at)); }
#endif

inline Double2 RoundToFloats(Double2 v) { return PromoteFloats(DemoteFloats(v)); }

inline void StoreFloats(Double2 v, float* out) {
#if defined(__x86_64__)
    _mm_storel_pi(reinterpret_cast<__m64*>(out), DemoteFloats(v));
#else
    const v128_t floats = DemoteFloats(v);
    out[0] = wasm_f32x4_extract_lane(floats, 0), out[1] = wasm_f32x4_extract_lane(floats, 1);
#endif
}

// Comparisons go through the instructions themselves: for WebAssembly the
// optimiser widens a generic vector comparison's result with 64-bit
// arithmetic shifts, which x86-64 lacks and browsers emulate, slowly.

inline unsigned WithinBits(Double2 u, double width, Double2 v, double height) {
#if defined(__x86_64__)
    const __m128d zero = _mm_setzero_pd();
    const __m128d in = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(u, zero), _mm_cmple_pd(u, _mm_set1_pd(width))),
                                  _mm_and_pd(_mm_cmpge_pd(v, zero), _mm_cmple_pd(v, _mm_set1_pd(height))));
    return unsigned(_mm_movemask_pd(in));
#else
    const v128_t zero = wasm_f64x2_splat(0.0), a = v128_t(u), b = v128_t(v);
    const v128_t in = wasm_v128_and(wasm_v128_and(wasm_f64x2_ge(a, zero), wasm_f64x2_le(a, wasm_f64x2_splat(width))),
                                    wasm_v128_and(wasm_f64x2_ge(b, zero), wasm_f64x2_le(b, wasm_f64x2_splat(height))));
    return wasm_i64x2_bitmask(in);
#endif
}

inline void TruncateToInts(Double2 v, std::int32_t* out) {
#if defined(__x86_64__)
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_cvttpd_epi32(v));
#else
    const v128_t ints = wasm_i32x4_trunc_sat_f64x2_zero(v128_t(v));
    out[0] = wasm_i32x4_extract_lane(ints, 0), out[1] = wasm_i32x4_extract_lane(ints, 1);
#endif
}

inline void PixelIndices(Double2 u, double size, std::int32_t* out) {
#if defined(__x86_64__)
    const __m128d edge = _mm_cmpeq_pd(u, _mm_set1_pd(size));
    TruncateToInts(_mm_or_pd(_mm_and_pd(edge, _mm_sub_pd(u, _mm_set1_pd(1.0))), _mm_andnot_pd(edge, u)), out);
#else
    const v128_t a = v128_t(u);
    TruncateToInts(Double2(wasm_v128_bitselect(wasm_f64x2_sub(a, wasm_f64x2_splat(1.0)), a,
                                               wasm_f64x2_eq(a, wasm_f64x2_splat(size)))),
                   out);
#endif
}

inline Double2 ZeroBelow(Double2 v) {
#if defined(__x86_64__)
    return _mm_max_pd(_mm_setzero_pd(), v);
#else
    return Double2(wasm_f64x2_pmax(v128_t(v), wasm_f64x2_splat(0.0)));
#endif
}

inline bool AllZero(Double2 v) {
#if defined(__x86_64__)
    return _mm_movemask_pd(_mm_cmpneq_pd(v, _mm_setzero_pd())) == 0;
#else
    return !wasm_v128_any_true(wasm_f64x2_ne(v128_t(v), wasm_f64x2_splat(0.0)));
#endif
}

inline bool AllBelow(Double2 v, double limit) {
#if defined(__x86_64__)
    return _mm_movemask_pd(_mm_cmplt_pd(v, _mm_set1_pd(limit))) == 3;
#else
    return wasm_i64x2_all_true(wasm_f64x2_lt(v128_t(v), wasm_f64x2_splat(limit)));
#endif
}

inline Double2 NextLanes(Double2 v, double next) {
#if defined(__x86_64__)
    return _mm_shuffle_pd(v, _mm_set1_pd(next), 1);
#else
    return Double2(wasm_i64x2_shuffle(v128_t(v), wasm_f64x2_splat(next), 1, 2));
#endif
}

inline Double2 Larger(Double2 a, Double2 b) {
#if defined(__x86_64__)
    return _mm_max_pd(a, b);
#else
    return Double2(wasm_f64x2_pmax(v128_t(a), v128_t(b)));
#endif
}
inline Double2 Smaller(Double2 a, Double2 b) {
#if defined(__x86_64__)
    return _mm_min_pd(a, b);
#else
    return Double2(wasm_f64x2_pmin(v128_t(a), v128_t(b)));
#endif
}
#endif

// Four lanes, by AVX2's instructions, which only a function built for AVX2
// may run; and a lane of four passes between such a function and another
// only by reference (by value, the two would pass it differently). So the
// instructions sit in functions built for AVX2 that take their lanes by
// reference, those that give lanes back wrapped in plain ones for the
// formulas; a kernel built for AVX2 flattens them all into itself.
#if defined(__x86_64__)
typedef double Double4 __attribute__((vector_size(32)));

namespace avx2 {
[[gnu::target("avx2")]] inline void RoundToFloats(Double4& v) { v = _mm256_cvtps_pd(_mm256_cvtpd_ps(v)); }
[[gnu::target("avx2")]] inline void ZeroBelow(Double4& v) { v = _mm256_max_pd(_mm256_setzero_pd(), v); }
[[gnu::target("avx2")]] inline void Larger(Double4& a, const Double4& b) { a = _mm256_max_pd(a, b); }
[[gnu::target("avx2")]] inline void Smaller(Double4& a, const Double4& b) { a = _mm256_min_pd(a, b); }
[[gnu::target("avx2")]] inline void NextLanes(Double4& v, double next) {
    v = _mm256_blend_pd(_mm256_permute4x64_pd(v, _MM_SHUFFLE(0, 3, 2, 1)), _mm256_set1_pd(next), 8);
}
}  // namespace avx2

inline Double4 RoundToFloats(Double4 v) { return avx2::RoundToFloats(v), v; }
inline Double4 ZeroBelow(Double4 v) { return avx2::ZeroBelow(v), v; }
inline Double4 Larger(Double4 a, Double4 b) { return avx2::Larger(a, b), a; }
inline Double4 Smaller(Double4 a, Double4 b) { return avx2::Smaller(a, b), a; }
inline Double4 NextLanes(Double4 v, double next) { return avx2::NextLanes(v, next), v; }

[[gnu::target("avx2")]] inline void StoreFloats(const Double4& v, float* out) {
    _mm_storeu_ps(out, _mm256_cvtpd_ps(v));
}
[[gnu::target("avx2")]] inline void LoadFloats(const float* at, Double4& v) { v = _mm256_cvtps_pd(_mm_loadu_ps(at)); }

[[gnu::target("avx2")]] inline unsigned WithinBits(const Double4& u, double width, const Double4& v, double height) {
    const __m256d zero = _mm256_setzero_pd();
    const __m256d inU =
        _mm256_and_pd(_mm256_cmp_pd(u, zero, _CMP_GE_OQ), _mm256_cmp_pd(u, _mm256_set1_pd(width), _CMP_LE_OQ));
    const __m256d inV =
        _mm256_and_pd(_mm256_cmp_pd(v, zero, _CMP_GE_OQ), _mm256_cmp_pd(v, _mm256_set1_pd(height), _CMP_LE_OQ));
    return unsigned(_mm256_movemask_pd(_mm256_and_pd(inU, inV)));
}

[[gnu::target("avx2")]] inline void TruncateToInts(const Double4& v, std::int32_t* out) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_cvttpd_epi32(v));
}

[[gnu::target("avx2")]] inline void PixelIndices(const Double4& u, double size, std::int32_t* out) {
    const __m256d edge = _mm256_cmp_pd(u, _mm256_set1_pd(size), _CMP_EQ_OQ);
    TruncateToInts(_mm256_blendv_pd(u, _mm256_sub_pd(u, _mm256_set1_pd(1.0)), edge), out);
}

[[gnu::target("avx2")]] inline bool AllZero(const Double4& v) {
    return _mm256_movemask_pd(_mm256_cmp_pd(v, _mm256_setzero_pd(), _CMP_NEQ_UQ)) == 0;
}
[[gnu::target("avx2")]] inline bool AllBelow(const Double4& v, double limit) {
    return _mm256_movemask_pd(_mm256_cmp_pd(v, _mm256_set1_pd(limit), _CMP_LT_OQ)) == 15;
}
#endif

// Two registers worked side by side, so that the latency of one's long chain
// of dependent operations hides behind the other's work.
template <class L>
struct Twice {
    L a, b;
};

template <class L>
inline constexpr int LaneCount<Twice<L>> = 2 * LaneCount<L>;

template <class L>
inline Twice<L> operator+(Twice<L> u, Twice<L> v) {
    return {u.a + v.a, u.b + v.b};
}
template <class L>
inline Twice<L> operator-(Twice<L> u, Twice<L> v) {
    return {u.a - v.a, u.b - v.b};
}
template <class L>
inline Twice<L> operator*(Twice<L> u, Twice<L> v) {
    return {u.a * v.a, u.b * v.b};
}
template <class L>
inline Twice<L> operator-(Twice<L> v) {
    return {-v.a, -v.b};
}
template <class L>
inline Twice<L>& operator+=(Twice<L>& u, Twice<L> v) {
    return u = u + v;
}
template <class L>
inline Twice<L> operator+(Twice<L> v, double k) {
    return {v.a + k, v.b + k};
}
template <class L>
inline Twice<L> operator*(double k, Twice<L> v) {
    return {k * v.a, k * v.b};
}
template <class L>
inline Twice<L> operator/(double k, Twice<L> v) {
    return {k / v.a, k / v.b};
}

template <class L>
inline Twice<L> RoundToFloats(Twice<L> v) {
    return {RoundToFloats(v.a), RoundToFloats(v.b)};
}
template <class L>
inline void StoreFloats(Twice<L> v, float* out) {
    StoreFloats(v.a, out), StoreFloats(v.b, out + LaneCount<L>);
}
template <class L>
inline bool AllZero(Twice<L> v) {
    return AllZero(v.a + v.b);
}
