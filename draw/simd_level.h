#pragma once

#include <string>

// The instruction sets the fast path has kernels for, from least to most.
enum class SimdLevel { Scalar, Sse2, Avx2 };

const char* SimdLevelName(SimdLevel level);

// The best level this processor runs; only Scalar away from x86-64.
SimdLevel BestSimdLevel();

// The level a request asks for: `asked` names a level ("scalar", "sse2",
// "avx2") or is null for none. A level above `best`, or a name that is none
// of these, gives `best` and sets `warning` to one line saying so.
SimdLevel ChooseSimdLevel(const char* asked, SimdLevel best, std::string& warning);

// The level every kernel uses: the best one, or ORBIZA_SIMD's choice.
// Decided once per process, on first use, and never changed after, so the
// worker thread and the drawing thread always agree.
SimdLevel ActiveSimdLevel();
