#include "random_source.h"

float NextRandom(RandomSource& source) {
    std::uint64_t z = (source.state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return float(z >> 40) * (1.0f / 16777216.0f);  // 24 bits: exact in a float, never 1
}

float NextRandom(RandomSource& source, std::int16_t key) {
    source.state = 0xD1B54A32D192ED03ull * std::uint64_t(std::int64_t(key));  // depends on the key alone
    return NextRandom(source);
}
