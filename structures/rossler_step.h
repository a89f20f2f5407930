#pragma once

// The Rossler system's constants and its Euler step, the one definition that
// the plain loop and every lane kernel integrate with.
inline constexpr float RosslerC = 5.7f;         // the system's c
inline constexpr float RosslerADivisor = 5.0f;  // a = 0.2, applied as y / 5
inline constexpr double RosslerB = 0.2;         // b, a double constant
inline constexpr float RosslerH = 0.01f;        // Euler step
inline constexpr float RosslerScale = 30.0f;    // drawing scale divisor

// One explicit Euler step. L is double or a GCC vector of doubles: each lane
// holds a float, and `round(v)` stores v back as a float wherever the system
// stores one, so every lane does the scalar operations in the scalar order.
template <class L, class Round>
inline void RosslerStep(L& x, L& y, L& z, Round round) {
    L dx = -(y + z);
    round(dx);
    L dy = y / double(RosslerADivisor) + x;
    round(dy);
    L dz = (x - double(RosslerC)) * z + RosslerB;
    round(dz);
    x = x + double(RosslerH) * dx;
    round(x);
    y = y + double(RosslerH) * dy;
    round(y);
    z = z + double(RosslerH) * dz;
    round(z);
}
