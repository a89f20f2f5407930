#pragma once

#include <cstdint>

// The program's one pseudo-random source: SplitMix64 over a 64-bit state,
// its top 24 bits scaled by 2^-24, so every value is a float in [0, 1) exactly.
struct RandomSource {
    std::uint64_t state = 0x0123456789ABCDEFull;  // fixed start: the same sequence after every start
};

// The next value of the sequence.
float NextRandom(RandomSource& source);

// Reseeds from a negative key and returns the first value of the new sequence.
// The same key gives the same continuation whatever came before.
float NextRandom(RandomSource& source, std::int16_t key);
