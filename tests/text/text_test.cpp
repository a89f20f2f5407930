// Numbers as text both ways, by the standard library's route and the portable one the page takes.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "float_text.h"
#include "number_reading.h"
#include "speeds.h"

namespace {

std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }
std::uint32_t Bits(std::optional<float> f) { return Bits(f.value_or(NAN)); }

std::string PortableText(float value) {
    std::string text;
    AppendFloatTextPortable(text, value);
    return text;
}

std::optional<float> ReadPortably(std::string_view text) {
    float value = 0;
    return ReadDecimalPortable(text, value) == NumberFault::None ? std::optional(value) : std::nullopt;
}

// Catches too few or many digits, a lost -0, subnormals or range ends lost, ties not to even, rounding via double.
TEST(FloatText, TheFewestDigitsThatReadBackAndAnyDecimalAsItsNearestFloat) {
    const struct {
        float value;
        const char *text, *alsoRead;  // a float, its text, another decimal that reads as it
    } cases[] = {{0.100000024f, "0.100000024", "0.1000000238"},
                 {0.80000007f, "0.8000001", "+0.800000071"},
                 {123456789.0f, "123456790", "1.2345679e+08"},
                 {1e9f, "1e9", "1e00000000009"},
                 {0.00001f, "0.00001", ".00001"},
                 {0.000001f, "1e-6", "0.0000000000000001e10"},
                 {-0.0f, "-0", "-1e-50"},
                 {1e-45f, "1e-45", "1.5e-45"},
                 {1.17549435e-38f, "1.1754944e-38", "1.17549435E-38"},
                 {-3.40282347e38f, "-3.4028235e38", "-3402823466385288598117e17"},
                 {1.00000012f, "1.0000001", "1.0000000596046447753906250000000001"},
                 {1.0f, "1", "1.000000059604644775390625"},
                 {0.5f, "0.5", "5.e-1"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FloatText(c.value), c.text);
        EXPECT_EQ(PortableText(c.value), c.text);
        for (const char* text : {c.text, c.alsoRead}) {
            EXPECT_EQ(Bits(ReadFloat(text)), Bits(c.value)) << text;
            EXPECT_EQ(Bits(ReadPortably(text)), Bits(c.value)) << text;
        }
    }
}

// Catches the two routes parting: digits chosen differently below a power of two (where floats lie twice as
// close), a halfway decimal not rounded to even, a float that does not come back.
TEST(FloatText, BothRoutesGiveTheSameTextAndReadTheSameFloat) {
    std::mt19937 bits(7);
    std::vector<float> values;
    for (int i = 0; i < 30000; ++i) values.push_back(std::bit_cast<float>(std::uint32_t(bits())));
    for (int power = -149; power <= 127; ++power)
        for (float f = std::ldexp(1.0f, power), step = 0; step < 3; ++step, f = std::nextafter(f, 0.0f))
            values.push_back(f);
    for (const float value : values) {
        if (!std::isfinite(value)) continue;
        const std::string text = FloatText(value);
        ASSERT_EQ(PortableText(value), text) << Bits(value);
        ASSERT_EQ(Bits(ReadFloat(text)), Bits(value)) << text;
        ASSERT_EQ(Bits(ReadPortably(text)), Bits(value)) << text;
        // Exactly halfway to the next float up: both go to the even one.
        const float next = std::nextafter(value, std::numeric_limits<float>::infinity());
        char halfway[80];
        std::snprintf(halfway, sizeof halfway, "%.60g", (double(value) + next) / 2);
        if (std::isfinite(next)) {
            ASSERT_EQ(Bits(ReadFloat(halfway)), Bits(ReadPortably(halfway))) << halfway;
        }
    }
}

// Catches a reader that takes part of the text, a letter, a space, an infinity or a float range overflow.
TEST(NumberReading, RefusalsSayWhatIsWrong) {
    const std::pair<const char*, const char*> decimals[] = {
        {"", "\"\" is not a number"}, {"0.4x", "\"0.4x\" is not a number"},
        {" 1", "not a number"},       {"nan", "not a number"},
        {"inf", "not a number"},      {"0x10", "not a number"},
        {"+-1", "not a number"},      {"0.8e", "not a number"},
        {".", "not a number"},        {"1e39", "\"1e39\" is out of range for a 32-bit float"}};
    for (const auto& [text, reason] : decimals) {
        std::string problem;
        EXPECT_FALSE(ReadFloat(text, &problem)) << text;
        EXPECT_NE(problem.find(reason), std::string::npos) << text << " gave: " << problem;
    }
    const std::pair<const char*, const char*> wholes[] = {{"24", "\"24\" is outside 0..23"},
                                                          {"99999999999", "is outside 0..23"},
                                                          {"4.0", "\"4.0\" is not a whole number"},
                                                          {"", "not a whole number"}};
    for (const auto& [text, reason] : wholes) {
        std::string problem;
        EXPECT_FALSE(ReadWholeNumber(text, 0, 23, &problem)) << text;
        EXPECT_NE(problem.find(reason), std::string::npos) << text << " gave: " << problem;
    }
    EXPECT_EQ(ReadWholeNumber("+23", 0, 23), 23);
}

// Catches the routes reading different stretches of a text: from_chars taking "inf", "nan" or a "+-" that the
// grammar refuses, or an 'e' without digits; a prefix read that stops short or runs on; an underflow refused.
TEST(NumberReading, ANumberAtAPositionEndsWhereTheGrammarEndsByBothRoutes) {
    const std::tuple<std::string_view, int, float, NumberFault> cases[] = {
        {"1.5,2", 3, 1.5f, NumberFault::None},  {"-.5e-1x", 6, -0.05f, NumberFault::None},
        {"+2.e1 ", 5, 20, NumberFault::None},   {"1e+", 1, 1, NumberFault::None},
        {"1e-50 ", 5, 0, NumberFault::None},    {"1e39,", 4, INFINITY, NumberFault::OutOfRange},
        {"+-1", 0, 0, NumberFault::NotANumber}, {"-inf", 0, 0, NumberFault::NotANumber},
        {"nan", 0, 0, NumberFault::NotANumber}, {"", 0, 0, NumberFault::NotANumber}};
    for (const auto& [text, length, value, fault] : cases)
        for (auto read : {ReadDecimalAt, ReadDecimalAtPortably}) {
            float got = 0;
            const DecimalRead r = read(text.data(), text.data() + text.size(), got);
            EXPECT_EQ(r.end - text.data(), length) << text;
            EXPECT_EQ(r.fault, fault) << text;
            EXPECT_EQ(Bits(got), Bits(value)) << text;
        }
    std::mt19937 pick(11);
    const std::string_view letters = "0123456789.eE+-in, ";
    for (int i = 0; i < 200000; ++i) {
        std::string text(pick() % 12, ' ');
        for (char& c : text) c = letters[pick() % letters.size()];
        float native = 0, portable = 0;
        const DecimalRead a = ReadDecimalAt(text.data(), text.data() + text.size(), native);
        const DecimalRead b = ReadDecimalAtPortably(text.data(), text.data() + text.size(), portable);
        ASSERT_EQ(a.end, b.end) << text;
        ASSERT_EQ(a.fault, b.fault) << text;
        ASSERT_EQ(Bits(native), Bits(portable)) << text;
    }
}

// Catches a count of bars other than four, a bar beyond its end, the bars out of order.
TEST(Speeds, FourWholeNumbersWithinTheBars) {
    EXPECT_EQ(ReadSpeeds("-50,0,7,50"), (Speeds{-50, 0, 7, 50}));
    EXPECT_EQ(SpeedsText({-50, 0, 7, 50}), "-50,0,7,50");
    std::string problem;
    EXPECT_FALSE(ReadSpeeds("0,0,51,0", &problem));
    EXPECT_EQ(problem, "\"51\" is outside -50..50");
    EXPECT_FALSE(ReadSpeeds("0,0,0", &problem));
    EXPECT_EQ(problem, "expected 4 comma-separated whole numbers, got \"0,0,0\"");
    EXPECT_EQ(HeldToSpeedRange(-400), -50);
}

}  // namespace
