#pragma once

// Two doubles to a 128-bit register, as a GCC vector type: the kernels
// written once for SSE2 on x86-64 and for WebAssembly's simd128 work on it.
// Every lane does the scalar operations in the scalar order, so every
// result has the scalar rounding.
#if defined(__x86_64__) || defined(__wasm_simd128__)
#define ORBIZA_DOUBLE_PAIRS 1

#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#else
#include <wasm_simd128.h>
#endif

typedef double Double2 __attribute__((vector_size(16)));

#if defined(__x86_64__)
inline __m128 DemoteFloats(Double2 v) { return _mm_cvtpd_ps(v); }
inline Double2 PromoteFloats(__m128 v) { return _mm_cvtps_pd(v); }
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
#endif

// Every lane rounded to a float, kept as the double it converts to.
inline Double2 RoundToFloats(Double2 v) { return PromoteFloats(DemoteFloats(v)); }

// Both lanes rounded to floats, to out[0] and out[1].
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

// Bit i set where lane i of u lies in 0 .. width and lane i of v in 0 .. height.
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

// Both lanes truncated to integers, to out[0] and out[1]. A lane beyond the
// integer range gives some integer, for the caller to ignore.
inline void TruncateToInts(Double2 v, std::int32_t* out) {
#if defined(__x86_64__)
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_cvttpd_epi32(v));
#else
    const v128_t ints = wasm_i32x4_trunc_sat_f64x2_zero(v128_t(v));
    out[0] = wasm_i32x4_extract_lane(ints, 0), out[1] = wasm_i32x4_extract_lane(ints, 1);
#endif
}

// Both lanes of u, in 0 .. size, as the pixels they fall in, to out[0] and
// out[1]: truncated, the far edge given to the last pixel.
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

// Each lane as `v < 0 ? 0 : v`: -0 and not-a-number stay.
inline Double2 ZeroBelow(Double2 v) {
#if defined(__x86_64__)
    return _mm_max_pd(_mm_setzero_pd(), v);
#else
    return Double2(wasm_f64x2_pmax(v128_t(v), wasm_f64x2_splat(0.0)));
#endif
}

// The larger and the smaller of each pair of lanes, for lanes that are numbers.
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
