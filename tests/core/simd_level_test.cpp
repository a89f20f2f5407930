// The one switch for the fast route's instruction set.
#include "simd_level.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "rossler_worker.h"
#include "test_support.h"

namespace {

// Catches a request not held to the processor, a name taken for another level, a silent fallback.
TEST(SimdLevel, ARequestIsHeldToWhatTheProcessorHas) {
    const struct {
        const char* asked;
        SimdLevel best, expected;
        bool warns;
    } cases[] = {
        {nullptr, SimdLevel::Avx2, SimdLevel::Avx2, false},    {"", SimdLevel::Sse2, SimdLevel::Sse2, false},
        {"scalar", SimdLevel::Avx2, SimdLevel::Scalar, false}, {"sse2", SimdLevel::Avx2, SimdLevel::Sse2, false},
        {"avx2", SimdLevel::Avx2, SimdLevel::Avx2, false},     {"avx2", SimdLevel::Sse2, SimdLevel::Sse2, true},
        {"AVX2", SimdLevel::Avx2, SimdLevel::Avx2, true},      {"simd128", SimdLevel::Avx2, SimdLevel::Avx2, true}};
    for (const auto& c : cases) {
        std::string warning;
        EXPECT_EQ(ChooseSimdLevel(c.asked, c.best, warning), c.expected) << (c.asked ? c.asked : "(none)");
        EXPECT_EQ(!warning.empty(), c.warns) << warning;
        EXPECT_EQ(warning.find("(accepted: scalar, sse2, avx2)") != std::string::npos, c.warns);
    }
}

// Per ORBIZA_SIMD level: catches a level not reaching the drawing state or the Rossler worker.
TEST(SimdLevel, TheLevelInForceIsTheOneAsked) {
    const char* asked = std::getenv("ORBIZA_SIMD");
    const std::map<std::string, SimdLevel> levels = {
        {"scalar", SimdLevel::Scalar}, {"sse2", SimdLevel::Sse2}, {"avx2", SimdLevel::Avx2}};
    const SimdLevel wanted = asked ? levels.at(asked) : BestSimdLevel();
    if (wanted > BestSimdLevel()) GTEST_SKIP() << "ORBIZA_SIMD=" << asked << ": this processor lacks it";
    EXPECT_EQ(StartUpSimdLevel(), wanted);
    Drawing d(false);
    EXPECT_EQ(d.scene.tools.simd, wanted);
    Draw(d, "Rossler Chaos", {});
    EXPECT_EQ(WorkerOf(d.scene.rossler).simd, wanted);
}

}  // namespace
