#include "segments_csv.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

namespace {

TEST(FloatText, IsTheShortestFormThatReadsBackToTheSameBits) {
    EXPECT_EQ(FloatText(0.1f), "0.1");  // not 0.100000001
    EXPECT_EQ(FloatText(2.0f), "2");
    EXPECT_EQ(FloatText(-0.0f), "-0");
    EXPECT_EQ(FloatText(1e-45f), "1e-45");
    std::vector<float> values{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
                              std::nextafter(1.0f, 2.0f), 1.17549435e-38f};
    std::mt19937 bits(12345);
    while (values.size() < 20000) {
        const float v = std::bit_cast<float>(std::uint32_t(bits()));
        if (std::isfinite(v)) values.push_back(v);
    }
    for (float v : values) {
        const std::string text = FloatText(v);
        float back = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(v)) << text;
    }
}

TEST(SegmentsCsv, OneRowPerSegmentInOrderWithPointsScreenAndColour) {
    SegmentLog log;
    EXPECT_EQ(SegmentsCsvText(log), "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n");
    log.push_back({MakeVec(0.5f, -0.25f, 1), MakeVec(0.1f, 0, -0.0f), 0.125f, -0.75f, 3, 4, Rgb{255, 0, 7}});
    log.push_back({MakeVec(1, 2, 3), MakeVec(4, 5, 6), 7, 8, 9, 10, Rgb{11, 12, 13}});
    EXPECT_EQ(SegmentsCsvText(log),
              "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n"
              "0.5,-0.25,1,0.1,0,-0,0.125,-0.75,3,4,255,0,7\n"
              "1,2,3,4,5,6,7,8,9,10,11,12,13\n");
}

}  // namespace
