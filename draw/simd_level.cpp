#include "simd_level.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// This target's levels, from least to most.
#if defined(__x86_64__) && !defined(__EMSCRIPTEN__)
constexpr SimdLevel TargetLevels[] = {SimdLevel::Scalar, SimdLevel::Sse2, SimdLevel::Avx2};
#elif defined(__wasm_simd128__)
constexpr SimdLevel TargetLevels[] = {SimdLevel::Scalar, SimdLevel::Simd128};
#else
constexpr SimdLevel TargetLevels[] = {SimdLevel::Scalar};
#endif

// "(accepted: scalar, sse2, avx2)" on x86-64.
std::string Accepted() {
    std::string names;
    for (const SimdLevel level : TargetLevels) names += std::string(names.empty() ? "" : ", ") + SimdLevelName(level);
    return " (accepted: " + names + ")";
}

}  // namespace

const char* SimdLevelName(SimdLevel level) {
    switch (level) {
    case SimdLevel::Simd128: return "simd128";
    case SimdLevel::Avx2: return "avx2";
    case SimdLevel::Sse2: return "sse2";
    case SimdLevel::Scalar: break;
    }
    return "scalar";
}

SimdLevel BestSimdLevel() {
#if defined(__x86_64__) && !defined(__EMSCRIPTEN__)
    __builtin_cpu_init();  // harmless when done already; needed if the first call comes before main
    if (__builtin_cpu_supports("avx2")) return SimdLevel::Avx2;
    return SimdLevel::Sse2;  // every x86-64 processor has SSE2
#elif defined(__wasm_simd128__)
    return SimdLevel::Simd128;  // a module built with vectors loads only where they run
#else
    return SimdLevel::Scalar;
#endif
}

SimdLevel ChooseSimdLevel(const char* asked, SimdLevel best, std::string& warning) {
    if (!asked || !*asked) return best;  // set but empty counts as not set
    for (const SimdLevel level : TargetLevels) {
        if (std::strcmp(asked, SimdLevelName(level)) != 0) continue;
        if (level <= best) return level;
        warning = std::string("ORBIZA_SIMD=") + asked + ": this processor lacks it; using " + SimdLevelName(best) +
                  Accepted();
        return best;
    }
    warning = std::string("ORBIZA_SIMD=") + asked + ": unknown level; using " + SimdLevelName(best) + Accepted();
    return best;
}

SimdLevel StartUpSimdLevel() {
    std::string warning;
    const SimdLevel level = ChooseSimdLevel(std::getenv("ORBIZA_SIMD"), BestSimdLevel(), warning);
    if (!warning.empty()) std::fprintf(stderr, "%s\n", warning.c_str());
    return level;
}
