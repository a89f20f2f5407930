#include "vec3.h"

#include <cmath>

#include "numbers.h"

Vec3 MakeVec(float x, float y, float z) { return {StoreFloat(x), StoreFloat(y), StoreFloat(z)}; }

Vec3 VecSub(Vec3 a, Vec3 b) {
    return {StoreFloat(double(a.x) - b.x), StoreFloat(double(a.y) - b.y), StoreFloat(double(a.z) - b.z)};
}

Vec3 VecAdd(Vec3 a, Vec3 b) {
    return {StoreFloat(double(a.x) + b.x), StoreFloat(double(a.y) + b.y), StoreFloat(double(a.z) + b.z)};
}

Vec3 VecScale(float s, Vec3 v) {
    return {StoreFloat(double(s) * v.x), StoreFloat(double(s) * v.y), StoreFloat(double(s) * v.z)};
}

Vec3 VecCross(Vec3 a, Vec3 b) {
    return {StoreFloat(double(a.y) * b.z - double(a.z) * b.y), StoreFloat(double(a.z) * b.x - double(a.x) * b.z),
            StoreFloat(double(a.x) * b.y - double(a.y) * b.x)};
}

float VecLength(Vec3 v) {
    const double sum = double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z;
    return StoreFloat(std::sqrt(sum));
}
