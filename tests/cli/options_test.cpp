#include "options.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct BadCase {
    std::vector<std::string> args;
    std::string problem;  // a part of the one-line message
};

void PrintTo(const BadCase& c, std::ostream* out) {
    for (const std::string& a : c.args) *out << '[' << a << ']';
}

class BadCommandLine : public testing::TestWithParam<BadCase> {};

TEST_P(BadCommandLine, IsRejectedWithStatusTwoAndNamesTheProblem) {
    const ParsedCommandLine parsed = ParseCommandLine(GetParam().args);
    EXPECT_EQ(parsed.ExitStatus(), 2);
    EXPECT_NE(parsed.error.find(GetParam().problem), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << "the message must stay on one line";
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadCommandLine,
    testing::Values(BadCase{{"Cubes"}, "unknown structure \"Cubes\""},
                    BadCase{{"Cubes"}, "\"Rossler Chaos\""},  // the valid names are listed
                    BadCase{{"0"}, "unknown structure"}, BadCase{{"24"}, "unknown structure"},
                    BadCase{{"4x"}, "unknown structure"}, BadCase{{"--frobnicate"}, "unknown option"},
                    BadCase{{"-x"}, "unknown option"}, BadCase{{"--angles", "1,2"}, "expected 3"},
                    BadCase{{"--angles", "1,2,3,4"}, "expected 3"}, BadCase{{"--angles", "1,,3"}, "empty"},
                    BadCase{{"--angles", "0.4x,0,0"}, "not a number"}, BadCase{{"--angles", " 1,0,0"}, "not a number"},
                    BadCase{{"--angles", "nan,0,0"}, "not a finite"}, BadCase{{"--time", "inf"}, "not a finite"},
                    BadCase{{"--time", "-infinity"}, "not a finite"}, BadCase{{"--time", "1e39"}, "out of range"},
                    BadCase{{"--time", ""}, "empty"}, BadCase{{"--time", "0x10"}, "not a number"},
                    BadCase{{"--time", "+-1"}, "not a number"}, BadCase{{"--time"}, "missing value"},
                    BadCase{{"--speeds", "1,2,3"}, "expected 4"}, BadCase{{"--speeds", "0,0,51,0"}, "outside -50..50"},
                    BadCase{{"--speeds", "-51,0,0,0"}, "outside -50..50"},
                    BadCase{{"--speeds", "0,0,0,1.5"}, "not a whole number"}, BadCase{{"--ticks", "-1"}, "negative"},
                    BadCase{{"--ticks", "2.5"}, "not a whole number"},
                    BadCase{{"--ticks", "99999999999"}, "out of range"}, BadCase{{"--output", "x.jpg"}, "format"},
                    BadCase{{"--output", "picture"}, "format"}, BadCase{{"--output", "dir.png/x"}, "format"},
                    BadCase{{"--segments", ""}, "empty file name"}));

TEST(CommandLine, ReadsEveryOption) {
    const ParsedCommandLine parsed =
        ParseCommandLine({"--axes", "--angles", "0.4,-0.6,+0.2", "--time=2.5", "--ticks", "3", "--speeds=-50,0,7,50",
                          "--output", "out.PNG", "--segments", "-", "sphere", "23", "--", "Nodes"});
    ASSERT_EQ(parsed.ExitStatus(), 0) << parsed.error;
    const RenderOptions& o = parsed.options;
    EXPECT_TRUE(o.showAxis);
    EXPECT_EQ(o.angleX, 0.4f);  // the nearest float to each decimal
    EXPECT_EQ(o.angleY, -0.6f);
    EXPECT_EQ(o.angleZ, 0.2f);
    EXPECT_EQ(o.time, 2.5f);
    EXPECT_EQ(o.ticks, 3);
    EXPECT_EQ(o.speeds.x, -50);
    EXPECT_EQ(o.speeds.y, 0);
    EXPECT_EQ(o.speeds.z, 7);
    EXPECT_EQ(o.speeds.time, 50);
    EXPECT_EQ(o.outputPath, "out.PNG");
    EXPECT_EQ(o.outputFormat, "PNG");
    EXPECT_EQ(o.segmentsPath, "-");
    EXPECT_EQ(o.structures, (std::vector<int>{4, 23, 20}));
}

TEST(CommandLine, DefaultsDrawNothingUnderTheStartView) {
    const ParsedCommandLine parsed = ParseCommandLine({});
    ASSERT_EQ(parsed.ExitStatus(), 0);
    EXPECT_FALSE(parsed.options.showAxis);
    EXPECT_EQ(parsed.options.angleX, 0.0f);
    EXPECT_EQ(parsed.options.time, 0.0f);
    EXPECT_EQ(parsed.options.ticks, 0);
    EXPECT_TRUE(parsed.options.structures.empty());
    EXPECT_TRUE(parsed.options.outputPath.empty());
    EXPECT_TRUE(parsed.options.segmentsPath.empty());
}

TEST(CommandLine, StructuresMatchListTextsIgnoringCaseAndPositions) {
    const ParsedCommandLine parsed =
        ParseCommandLine({"cube", "ROSSLER CHAOS", "Paraboloid", "Liniar Helix", "1", "15", "23"});
    ASSERT_EQ(parsed.ExitStatus(), 0) << parsed.error;
    EXPECT_EQ(parsed.options.structures, (std::vector<int>{1, 23, 15, 9, 1, 15, 23}));
}

TEST(CommandLine, FlagsAndBmpOutput) {
    const ParsedCommandLine parsed = ParseCommandLine({"--list", "--help", "--output", "a.b/pic.bmp"});
    ASSERT_EQ(parsed.ExitStatus(), 0) << parsed.error;
    EXPECT_TRUE(parsed.options.list);
    EXPECT_TRUE(parsed.options.help);
    EXPECT_EQ(parsed.options.outputFormat, "BMP");
}

TEST(Decimal, RoundsToTheNearestFloat) {
    EXPECT_EQ(ParseDecimal("0.1"), 0.1f);
    EXPECT_EQ(ParseDecimal("-3"), -3.0f);
    EXPECT_EQ(ParseDecimal("1e-3"), 1e-3f);
    EXPECT_EQ(ParseDecimal(".5"), 0.5f);
    // Halfway between 1 and the next float: ties go to the even neighbour, 1.
    EXPECT_EQ(ParseDecimal("1.000000059604644775390625"), 1.0f);
    EXPECT_EQ(ParseDecimal("340282346638528859811704183484516925440"), 3.40282346638528859811704183484516925440e38f);
    EXPECT_FALSE(ParseDecimal("1e40"));
    EXPECT_FALSE(ParseDecimal("1,5"));
}

}  // namespace
