#pragma once

// Two doubles to a 128-bit register, as a GCC vector type: the kernels
// written once for SSE2 on x86-64 and for WebAssembly's simd128 work on it.
// Every lane does the scalar operations in the scalar order, so every
// result has the scalar rounding.
#if defined(__x86_64__) || defined(__wasm_simd128__)
#define ORBIZA_DOUBLE_PAIRS 1

#if defined(__x86_64__)
#include <immintrin.h>
#else
#include <wasm_simd128.h>
#endif

typedef double Double2 __attribute__((vector_size(16)));
using Mask2 = decltype(Double2{} < Double2{});  // all ones in a lane where a comparison holds

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
#endif
