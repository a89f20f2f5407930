#include "rossler_lanes.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

// Each kernel keeps the trajectories of a register in step; the registers
// are independent chains, so more of them hide more of one Euler step's
// latency. A group is four trajectories: one AVX2 register or two SSE2 ones.
namespace {

#if defined(__x86_64__)
__m128d RoundSse2(__m128d v) { return _mm_cvtps_pd(_mm_cvtpd_ps(v)); }

template <int Registers>
void AdvanceSse2(RosslerLanes& lanes, int first, int samples, Vec3* out, int stride) {
    __m128d x[Registers], y[Registers], z[Registers];
    for (int g = 0; g < Registers; ++g) {
        const int k = first + 2 * g;
        x[g] = _mm_load_pd(lanes.x + k), y[g] = _mm_load_pd(lanes.y + k), z[g] = _mm_load_pd(lanes.z + k);
    }
    const __m128d c = _mm_set1_pd(5.7f), b = _mm_set1_pd(0.2), a = _mm_set1_pd(5.0f), h = _mm_set1_pd(0.01f);
    const __m128d sign = _mm_set1_pd(-0.0), scale = _mm_set1_pd(30.0f);
    for (int i = 0; i < samples; ++i) {
        for (int step = 0; step < RosslerSampleEvery; ++step) {
#pragma GCC unroll 10
            for (int g = 0; g < Registers; ++g) {
                const __m128d dx = RoundSse2(_mm_xor_pd(_mm_add_pd(y[g], z[g]), sign));
                const __m128d dy = RoundSse2(_mm_add_pd(_mm_div_pd(y[g], a), x[g]));
                const __m128d dz = RoundSse2(_mm_add_pd(_mm_mul_pd(_mm_sub_pd(x[g], c), z[g]), b));
                x[g] = RoundSse2(_mm_add_pd(x[g], _mm_mul_pd(h, dx)));
                y[g] = RoundSse2(_mm_add_pd(y[g], _mm_mul_pd(h, dy)));
                z[g] = RoundSse2(_mm_add_pd(z[g], _mm_mul_pd(h, dz)));
            }
        }
        for (int g = 0; g < Registers; ++g) {
            alignas(16) float sx[4], sy[4], sz[4];
            _mm_store_ps(sx, _mm_cvtpd_ps(_mm_div_pd(x[g], scale)));
            _mm_store_ps(sy, _mm_cvtpd_ps(_mm_div_pd(y[g], scale)));
            _mm_store_ps(sz, _mm_cvtpd_ps(_mm_div_pd(z[g], scale)));
            for (int lane = 0; lane < 2; ++lane)
                out[(first + 2 * g + lane) * stride + i] = {sx[lane], sy[lane], sz[lane]};
        }
    }
    for (int g = 0; g < Registers; ++g) {
        const int k = first + 2 * g;
        _mm_store_pd(lanes.x + k, x[g]), _mm_store_pd(lanes.y + k, y[g]), _mm_store_pd(lanes.z + k, z[g]);
    }
}

[[gnu::target("avx2")]] inline __m256d RoundAvx2(__m256d v) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(v)); }

template <int Registers>
[[gnu::target("avx2")]] void AdvanceAvx2(RosslerLanes& lanes, int first, int samples, Vec3* out, int stride) {
    __m256d x[Registers], y[Registers], z[Registers];
    for (int g = 0; g < Registers; ++g) {
        const int k = first + 4 * g;
        x[g] = _mm256_load_pd(lanes.x + k), y[g] = _mm256_load_pd(lanes.y + k), z[g] = _mm256_load_pd(lanes.z + k);
    }
    const __m256d c = _mm256_set1_pd(5.7f), b = _mm256_set1_pd(0.2), a = _mm256_set1_pd(5.0f);
    const __m256d h = _mm256_set1_pd(0.01f), sign = _mm256_set1_pd(-0.0), scale = _mm256_set1_pd(30.0f);
    for (int i = 0; i < samples; ++i) {
        for (int step = 0; step < RosslerSampleEvery; ++step) {
#pragma GCC unroll 5
            for (int g = 0; g < Registers; ++g) {
                const __m256d dx = RoundAvx2(_mm256_xor_pd(_mm256_add_pd(y[g], z[g]), sign));
                const __m256d dy = RoundAvx2(_mm256_add_pd(_mm256_div_pd(y[g], a), x[g]));
                const __m256d dz = RoundAvx2(_mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(x[g], c), z[g]), b));
                x[g] = RoundAvx2(_mm256_add_pd(x[g], _mm256_mul_pd(h, dx)));
                y[g] = RoundAvx2(_mm256_add_pd(y[g], _mm256_mul_pd(h, dy)));
                z[g] = RoundAvx2(_mm256_add_pd(z[g], _mm256_mul_pd(h, dz)));
            }
        }
        for (int g = 0; g < Registers; ++g) {
            alignas(16) float sx[4], sy[4], sz[4];
            _mm_store_ps(sx, _mm256_cvtpd_ps(_mm256_div_pd(x[g], scale)));
            _mm_store_ps(sy, _mm256_cvtpd_ps(_mm256_div_pd(y[g], scale)));
            _mm_store_ps(sz, _mm256_cvtpd_ps(_mm256_div_pd(z[g], scale)));
            for (int lane = 0; lane < 4; ++lane)
                out[(first + 4 * g + lane) * stride + i] = {sx[lane], sy[lane], sz[lane]};
        }
    }
    for (int g = 0; g < Registers; ++g) {
        const int k = first + 4 * g;
        _mm256_store_pd(lanes.x + k, x[g]), _mm256_store_pd(lanes.y + k, y[g]), _mm256_store_pd(lanes.z + k, z[g]);
    }
}

using Kernel = void (*)(RosslerLanes&, int, int, Vec3*, int);

template <int Groups>
Kernel KernelFor(bool avx2) {
    return avx2 ? AdvanceAvx2<Groups> : AdvanceSse2<2 * Groups>;
}

}  // namespace

void AdvanceLanes(RosslerLanes& lanes, int firstGroup, int groups, int samples, Vec3* out, int stride) {
    const bool avx2 = __builtin_cpu_supports("avx2");
    static_assert(RosslerGroups == 5);
    const Kernel kernels[RosslerGroups] = {KernelFor<1>(avx2), KernelFor<2>(avx2), KernelFor<3>(avx2),
                                           KernelFor<4>(avx2), KernelFor<5>(avx2)};
    kernels[groups - 1](lanes, firstGroup * RosslerGroupSize, samples, out, stride);
}
#else
// Elsewhere one trajectory after another, with the same roundings.
double Round(double v) { return static_cast<float>(v); }

}  // namespace

void AdvanceLanes(RosslerLanes& lanes, int firstGroup, int groups, int samples, Vec3* out, int stride) {
    const int first = firstGroup * RosslerGroupSize, end = first + groups * RosslerGroupSize;
    for (int k = first; k < end; ++k) {
        double x = lanes.x[k], y = lanes.y[k], z = lanes.z[k];
        for (int i = 0; i < samples; ++i) {
            for (int step = 0; step < RosslerSampleEvery; ++step) {
                const double dx = Round(-(y + z)), dy = Round(y / double(5.0f) + x);
                const double dz = Round((x - double(5.7f)) * z + 0.2);
                x = Round(x + double(0.01f) * dx), y = Round(y + double(0.01f) * dy), z = Round(z + double(0.01f) * dz);
            }
            out[k * stride + i] = {RosslerScaled(float(x)), RosslerScaled(float(y)), RosslerScaled(float(z))};
        }
        lanes.x[k] = x, lanes.y[k] = y, lanes.z[k] = z;
    }
}
#endif
