#include "segments_csv.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>

namespace {

float ReadBack(const std::string& text) {
    float value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(ec, std::errc()) << text;
    EXPECT_EQ(end, text.data() + text.size()) << text;
    return value;
}

TEST(FloatText, ReadsBackToTheSameBitsForEveryKindOfFloat) {
    std::vector<float> values{0.0f,
                              -0.0f,
                              1.0f,
                              -1.0f,
                              0.1f,
                              0.45454547f,
                              1e-45f,
                              -1e-45f,
                              1.17549435e-38f,
                              std::numeric_limits<float>::max(),
                              std::numeric_limits<float>::lowest(),
                              std::nextafter(1.0f, 2.0f),
                              std::nextafter(0.2f, 0.0f)};
    std::mt19937 bits(12345);
    while (values.size() < 20000) {
        const float v = std::bit_cast<float>(std::uint32_t(bits()));
        if (std::isfinite(v)) values.push_back(v);
    }
    for (float v : values)
        EXPECT_EQ(std::bit_cast<std::uint32_t>(ReadBack(FloatText(v))), std::bit_cast<std::uint32_t>(v))
            << FloatText(v);
}

TEST(FloatText, IsTheShortestForm) {
    EXPECT_EQ(FloatText(0.1f), "0.1");  // not 0.100000001
    EXPECT_EQ(FloatText(-0.5f), "-0.5");
    EXPECT_EQ(FloatText(2.0f), "2");
    EXPECT_EQ(FloatText(-0.0f), "-0");
    EXPECT_EQ(FloatText(1e-45f), "1e-45");
}

TEST(SegmentsCsv, OneRowPerSegmentInOrderWithPointsScreenAndColour) {
    SegmentLog log;
    log.push_back({MakeVec(0.5f, -0.25f, 1), MakeVec(0.1f, 0, -0.0f), 0.125f, -0.75f, 3, 4, Rgb{255, 0, 7}});
    log.push_back({MakeVec(1, 2, 3), MakeVec(4, 5, 6), 7, 8, 9, 10, Rgb{11, 12, 13}});
    std::ostringstream out;
    WriteSegmentsCsv(out, log);
    EXPECT_EQ(out.str(),
              "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n"
              "0.5,-0.25,1,0.1,0,-0,0.125,-0.75,3,4,255,0,7\n"
              "1,2,3,4,5,6,7,8,9,10,11,12,13\n");
}

TEST(SegmentsCsv, AnEmptyPictureIsTheHeaderAlone) {
    std::ostringstream out;
    WriteSegmentsCsv(out, {});
    EXPECT_EQ(out.str(), "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n");
}

}  // namespace
