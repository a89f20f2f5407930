#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "raised.h"
#include "vec3.h"

namespace {

void ExpectVec(Vec3 v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

TEST(VectorAlgebra, OperandOrderAndResults) {
    ExpectVec(MakeVec(1, 2, 3), 1, 2, 3);
    ExpectVec(VecSub(MakeVec(1, 1, 1), MakeVec(0, 0, 2)), 1, 1, -1);  // second operand subtracted
    ExpectVec(VecAdd(MakeVec(1, 2, 3), MakeVec(-1, 0.5f, 4)), 0, 2.5f, 7);
    ExpectVec(VecScale(0.5f, MakeVec(2, -4, 6)), 1, -2, 3);
}

TEST(VectorAlgebra, CrossProductIsRightHandedWithFirstOperandOnTheLeft) {
    ExpectVec(VecCross(MakeVec(1, 0, 0), MakeVec(0, 1, 0)), 0, 0, 1);
    ExpectVec(VecCross(MakeVec(0, 0, 1), MakeVec(1, 0, 0)), 0, 1, 0);
    ExpectVec(VecCross(MakeVec(1, 0, 0), MakeVec(0, 0, 1)), 0, -1, 0);
    ExpectVec(VecCross(MakeVec(0.3f, -2, 7), MakeVec(0.3f, -2, 7)), 0, 0, 0);
}

TEST(VectorAlgebra, LengthRoundsTheDoubleRootOnce) {
    EXPECT_EQ(VecLength(MakeVec(3, 4, 0)), 5.0f);
    EXPECT_EQ(VecLength(MakeVec(1, 1, 1)), 1.7320508f);
    EXPECT_EQ(VecLength(MakeVec(0, 0, 0)), 0.0f);
    // The squares are summed in double: a float sum would overflow here.
    EXPECT_EQ(VecLength(MakeVec(3e19f, 4e19f, 0)), 5e19f);
}

TEST(VectorAlgebra, NonFiniteResultsRaiseTheFloatingPointError) {
    const Vec3 big = MakeVec(FLT_MAX, FLT_MAX, 0);
    const auto raises = [](auto f) { return RaisedKind(f) == ErrorKind::FloatingPoint; };
    EXPECT_TRUE(raises([&] { VecAdd(big, big); }));
    EXPECT_TRUE(raises([&] { VecSub(big, MakeVec(-FLT_MAX, 0, 0)); }));
    EXPECT_TRUE(raises([&] { VecScale(2, big); }));
    EXPECT_TRUE(raises([&] { VecCross(big, MakeVec(0, 0, 2)); }));
    EXPECT_TRUE(raises([&] { VecLength(MakeVec(FLT_MAX, FLT_MAX, FLT_MAX)); }));
    EXPECT_TRUE(raises([&] { MakeVec(NAN, 0, 0); }));
    EXPECT_TRUE(raises([&] { MakeVec(0, 0, INFINITY); }));
}

}  // namespace
