#pragma once

#include <cmath>
#include <cstdint>

#include "run_time_error.h"

// Every formula is worked in double from 32-bit operands and stored as a
// 32-bit float. StoreFloat is that store, with the check for a result that is
// infinite or not a number.
inline float StoreFloat(double value) {
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored)) RaiseFloatingPointError();
    return stored;
}

// Nearest integer, ties to even, when it fits a 16-bit signed integer.
inline bool RoundsIntoInt16(double value, long& rounded) {
    if (!(value >= -32768.5 && value <= 32767.5)) return false;  // test before converting; NaN fails too
    rounded = std::lrint(value);                                 // default mode: ties to even
    return rounded <= 32767;                                     // 32767.5 rounds up to 32768
}

inline std::int16_t RoundToInt16(double value) {
    if (std::isnan(value)) RaiseFloatingPointError();
    long rounded = 0;
    if (!RoundsIntoInt16(value, rounded)) RaiseOverflow();
    return static_cast<std::int16_t>(rounded);
}
