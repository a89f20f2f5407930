// The Rossler lanes in WebAssembly's 128-bit vectors, two trajectories to a
// register, with the same roundings as the one-at-a-time loop: every value
// is a float held in a double lane and rounded to float where the loop
// stores one. Several registers side by side hide one Euler step's latency.
#include <wasm_simd128.h>

#include "rossler_lanes.h"

namespace {

v128_t Round(v128_t v) { return wasm_f64x2_promote_low_f32x4(wasm_f32x4_demote_f64x2_zero(v)); }

template <int Registers>
void Advance(RosslerLanes& lanes, int first, int samples, Vec3* out, int stride) {
    v128_t x[Registers], y[Registers], z[Registers];
    for (int g = 0; g < Registers; ++g) {
        const int k = first + 2 * g;
        x[g] = wasm_v128_load(lanes.x + k), y[g] = wasm_v128_load(lanes.y + k), z[g] = wasm_v128_load(lanes.z + k);
    }
    const v128_t c = wasm_f64x2_splat(5.7f), b = wasm_f64x2_splat(0.2), a = wasm_f64x2_splat(5.0f);
    const v128_t h = wasm_f64x2_splat(0.01f), scale = wasm_f64x2_splat(30.0f);
    for (int i = 0; i < samples; ++i) {
        for (int step = 0; step < RosslerSampleEvery; ++step) {
            for (int g = 0; g < Registers; ++g) {
                const v128_t dx = Round(wasm_f64x2_neg(wasm_f64x2_add(y[g], z[g])));
                const v128_t dy = Round(wasm_f64x2_add(wasm_f64x2_div(y[g], a), x[g]));
                const v128_t dz = Round(wasm_f64x2_add(wasm_f64x2_mul(wasm_f64x2_sub(x[g], c), z[g]), b));
                x[g] = Round(wasm_f64x2_add(x[g], wasm_f64x2_mul(h, dx)));
                y[g] = Round(wasm_f64x2_add(y[g], wasm_f64x2_mul(h, dy)));
                z[g] = Round(wasm_f64x2_add(z[g], wasm_f64x2_mul(h, dz)));
            }
        }
        for (int g = 0; g < Registers; ++g) {
            const v128_t sx = wasm_f32x4_demote_f64x2_zero(wasm_f64x2_div(x[g], scale));
            const v128_t sy = wasm_f32x4_demote_f64x2_zero(wasm_f64x2_div(y[g], scale));
            const v128_t sz = wasm_f32x4_demote_f64x2_zero(wasm_f64x2_div(z[g], scale));
            const int k = first + 2 * g;
            out[k * stride + i] = {wasm_f32x4_extract_lane(sx, 0), wasm_f32x4_extract_lane(sy, 0),
                                   wasm_f32x4_extract_lane(sz, 0)};
            out[(k + 1) * stride + i] = {wasm_f32x4_extract_lane(sx, 1), wasm_f32x4_extract_lane(sy, 1),
                                         wasm_f32x4_extract_lane(sz, 1)};
        }
    }
    for (int g = 0; g < Registers; ++g) {
        const int k = first + 2 * g;
        wasm_v128_store(lanes.x + k, x[g]), wasm_v128_store(lanes.y + k, y[g]), wasm_v128_store(lanes.z + k, z[g]);
    }
}

}  // namespace

void AdvanceLanes(RosslerLanes& lanes, int firstGroup, int groups, int samples, Vec3* out, int stride) {
    static_assert(RosslerGroups == 5 && RosslerGroupSize == 4);
    using Kernel = void (*)(RosslerLanes&, int, int, Vec3*, int);
    constexpr Kernel kernels[RosslerGroups] = {Advance<2>, Advance<4>, Advance<6>, Advance<8>, Advance<10>};
    kernels[groups - 1](lanes, firstGroup * RosslerGroupSize, samples, out, stride);
}
