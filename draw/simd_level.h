#pragma once

#include <string>

// The instruction sets the fast path has kernels for, from least to most on
// each target: scalar, sse2 and avx2 on x86-64; scalar and simd128
// (WebAssembly's 128-bit vectors) in the web build; scalar elsewhere.
enum class SimdLevel { Scalar, Sse2, Avx2, Simd128 };

const char* SimdLevelName(SimdLevel level);

// Two doubles to a register: the level at which the 128-bit vector kernels,
// written once for both targets, run.
inline bool PairLevel(SimdLevel level) { return level == SimdLevel::Sse2 || level == SimdLevel::Simd128; }

// The best level this processor runs.
SimdLevel BestSimdLevel();

// The level a request asks for: `asked` names a level of this target
// ("scalar", "sse2", "avx2" on x86-64) or is null for none. A level above
// `best`, or a name that is none of these, gives `best` and sets `warning`
// to one line saying so.
SimdLevel ChooseSimdLevel(const char* asked, SimdLevel best, std::string& warning);

// The level a program runs at: the best one, or what the environment
// variable ORBIZA_SIMD asks for, with one line on standard error when the
// request cannot be met. A program calls it once, at start-up, and hands the
// level on in the state it passes (Tools3D::simd); nothing keeps it here.
SimdLevel StartUpSimdLevel();
