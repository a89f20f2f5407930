#include "rossler_lanes.h"

#include <cstring>

#include "double_lanes.h"
#include "rossler_step.h"

// One kernel, instantiated per lane type: a register of lanes is one chain
// of Euler steps, and independent chains side by side hide one step's
// latency. A group is four trajectories: one AVX2 register or two 128-bit
// ones (SSE2 on x86-64, simd128 in WebAssembly).
namespace {

// Rounds every lane to a float, kept as the double it converts to. The AVX2
// overload needs its target; the kernel that calls it is flattened into an
// AVX2 function, so it is inlined there.
struct RoundLanes {
    void operator()(double& v) const { v = RoundToFloats(v); }
#if ORBIZA_DOUBLE_PAIRS
    void operator()(Double2& v) const { v = RoundToFloats(v); }
#endif
#if defined(__x86_64__)
    [[gnu::target("avx2")]] void operator()(Double4& v) const { avx2::RoundToFloats(v); }
#endif
};

// Every lane divided by the drawing scale, stored as a float.
void StoreScaled(const double& v, float* out) { StoreFloats(v / double(RosslerScale), out); }
#if ORBIZA_DOUBLE_PAIRS
void StoreScaled(const Double2& v, float* out) { StoreFloats(v / double(RosslerScale), out); }
#endif
#if defined(__x86_64__)
[[gnu::target("avx2")]] void StoreScaled(const Double4& v, float* out) { StoreFloats(v / double(RosslerScale), out); }
#endif

template <class L, int Registers>
[[gnu::always_inline]] inline void Advance(RosslerLanes& lanes, int first, int samples, Vec3* out, int stride) {
    constexpr int Width = sizeof(L) / sizeof(double);
    L x[Registers], y[Registers], z[Registers];
    for (int g = 0; g < Registers; ++g) {
        const int k = first + Width * g;
        std::memcpy(&x[g], lanes.x + k, sizeof(L)), std::memcpy(&y[g], lanes.y + k, sizeof(L));
        std::memcpy(&z[g], lanes.z + k, sizeof(L));
    }
    for (int i = 0; i < samples; ++i) {
        for (int step = 0; step < RosslerSampleEvery; ++step) {
#pragma GCC unroll 10
            for (int g = 0; g < Registers; ++g) RosslerStep(x[g], y[g], z[g], RoundLanes{});
        }
        for (int g = 0; g < Registers; ++g) {
            alignas(32) float sx[4], sy[4], sz[4];
            StoreScaled(x[g], sx), StoreScaled(y[g], sy), StoreScaled(z[g], sz);
            for (int lane = 0; lane < Width; ++lane)
                out[(first + Width * g + lane) * stride + i] = {sx[lane], sy[lane], sz[lane]};
        }
    }
    for (int g = 0; g < Registers; ++g) {
        const int k = first + Width * g;
        std::memcpy(lanes.x + k, &x[g], sizeof(L)), std::memcpy(lanes.y + k, &y[g], sizeof(L));
        std::memcpy(lanes.z + k, &z[g], sizeof(L));
    }
}

using Kernel = void (*)(RosslerLanes&, int, int, Vec3*, int);

// One trajectory after another.
template <int Groups>
void AdvanceScalar(RosslerLanes& lanes, int first, int samples, Vec3* out, int stride) {
    for (int k = first; k < first + Groups * RosslerGroupSize; ++k) Advance<double, 1>(lanes, k, samples, out, stride);
}

#if ORBIZA_DOUBLE_PAIRS
template <int Groups>
[[gnu::flatten]] void AdvancePairs(RosslerLanes& lanes, int first, int samples, Vec3* out, int stride) {
    Advance<Double2, 2 * Groups>(lanes, first, samples, out, stride);
}
#endif

#if defined(__x86_64__)
template <int Groups>
[[gnu::target("avx2"), gnu::flatten]] void AdvanceAvx2(RosslerLanes& lanes, int first, int samples, Vec3* out,
                                                       int stride) {
    Advance<Double4, Groups>(lanes, first, samples, out, stride);
}
#endif

template <int Groups>
Kernel KernelFor(SimdLevel level) {
#if defined(__x86_64__)
    if (level == SimdLevel::Avx2) return AdvanceAvx2<Groups>;
#endif
#if ORBIZA_DOUBLE_PAIRS
    if (PairLevel(level)) return AdvancePairs<Groups>;
#endif
    (void)level;
    return AdvanceScalar<Groups>;
}

}  // namespace

void AdvanceLanes(RosslerLanes& lanes, int firstGroup, int groups, int samples, Vec3* out, int stride,
                  SimdLevel level) {
    static_assert(RosslerGroups == 5);
    const Kernel kernels[RosslerGroups] = {KernelFor<1>(level), KernelFor<2>(level), KernelFor<3>(level),
                                           KernelFor<4>(level), KernelFor<5>(level)};
    kernels[groups - 1](lanes, firstGroup * RosslerGroupSize, samples, out, stride);
}
