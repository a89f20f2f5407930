#pragma once

#include <cstring>

// A model-space point, or a triple of view angles (about X, about Y, about Z).
struct Vec3 {
    float x = 0, y = 0, z = 0;
};

Vec3 MakeVec(float x, float y, float z);
Vec3 VecSub(Vec3 a, Vec3 b);  // a - b
Vec3 VecAdd(Vec3 a, Vec3 b);
Vec3 VecScale(float s, Vec3 v);
Vec3 VecCross(Vec3 a, Vec3 b);  // right-handed, a on the left
float VecLength(Vec3 v);

// Bitwise equality: tells 0 from -0, so a cached result is reused only when
// every later rounding would come out the same.
inline bool SameBits(Vec3 a, Vec3 b) { return std::memcmp(&a, &b, sizeof(Vec3)) == 0; }
