#include "options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "run_binary.h"

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
    std::vector<std::string> args = GetParam().args;
    if (GetParam().problem != "nothing to write" && std::ranges::find(args, "--output") == args.end())
        args.insert(args.end(), {"--output", "x.png"});
    const ParsedCommandLine parsed = ParseCommandLine(args);
    EXPECT_EQ(parsed.ExitStatus(), 2);
    EXPECT_NE(parsed.error.find(GetParam().problem), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << "the message must stay on one line";
}

using B = BadCase;
const std::string View = "#v1;row=4;angles=0.4,0.6,0.2;time=0.8;speeds=0,3,0,5;axes=1;timer=0;random=0123456789abcdef";
INSTANTIATE_TEST_SUITE_P(
    Table, BadCommandLine,
    testing::Values(
        B{{"Cubes"}, "unknown structure \"Cubes\"; did you mean \"Cube\"? (--list"},
        B{{"rossler"}, "did you mean \"Rossler Chaos\""}, B{{"Rössler Chaos"}, "did you mean \"Rossler Chaos\"?"},
        B{{"qqqqqqqq"}, "\"qqqqqqqq\" (--list shows all 23"}, B{{"0"}, "unknown structure"},
        B{{"24"}, "unknown structure"}, B{{"4x"}, "unknown structure"}, B{{"--frobnicate"}, "(--help lists"},
        B{{"-x"}, "unknown option"}, B{{"--angles", "1,2"}, "expected 3"}, B{{"--angles", "1,2,3,4"}, "expected 3"},
        B{{"--angles", "1,,3"}, "\"\" is not a number"}, B{{"--angles", "0.4x,0,0"}, "not a number"},
        B{{"--angles", " 1,0,0"}, "not a number"}, B{{"--angles", "nan,0,0"}, "not a number"},
        B{{"--time", "-infinity"}, "not a number"}, B{{"--time", "1e39"}, "out of range"},
        B{{"--time", ""}, "--time: \"\" is not a number"}, B{{"--time", "0x10"}, "not a number"},
        B{{"--time", "+-1"}, "not a number"}, B{{"--output", "x.png", "--time"}, "missing value"},
        B{{"--speeds", "1,2,3"}, "expected 4"}, B{{"--speeds", "0,0,51,0"}, "outside -50..50"},
        B{{"--speeds", "0,0,0,1.5"}, "not a whole number"}, B{{"--ticks", "-1"}, "outside 0.."},
        B{{"--ticks", "99999999999"}, "outside 0.."}, B{{"--frames", "0"}, "outside 1..100000"},
        B{{"--frames", "100001"}, "outside 1..100000"}, B{{"--seed", "0"}, "outside 1..32768"},
        B{{"--seed", "32769"}, "outside 1..32768"}, B{{"--output", "dir.png/x"}, "format"},
        B{{"--segments", ""}, "empty file name"}, B{{"Cube"}, "nothing to write"},
        B{{"--frames", "2", "Cube"}, "\"x.png\" holds one picture"},
        B{{"--frames", "2", "--output", "a.webp", "--output", "b.SVG"}, "\"b.SVG\" holds one picture"},
        B{{"--frames", "2", "--output", "a.gif", "--segments", "-"}, "\"-\" holds the segments of one picture"},
        B{{"--frames", "2", "--output", "a.gif", "--segments", "s.csv"}, "number (such as segments-%04d.csv)"},
        B{{"--output", "f%d-%d.png"}, "more than one frame number"}, B{{"--output", "f%s.bmp"}, "only %d"},
        B{{"--output", "f%.3d.obj"}, "only %d"}, B{{"--segments", "f%"}, "a '%' at the end"},
        B{{"--view", View, "--angles", "1,2,3"}, "--view cannot be combined with --angles: the address holds"},
        B{{"--time=1", "--view", View}, "with --time"}, B{{"--view", View, "--speeds", "0,0,0,0"}, "with --speeds"},
        B{{"--axes", "--view", View}, "with --axes"}, B{{"--view", View, "--seed", "3"}, "with --seed"},
        B{{"--view", View, "--ticks=0"}, "with --ticks"}, B{{"--view", View, "Cube"}, "with the structure \"Cube\""},
        B{{"--view", "v2;row=1"}, "--view: unknown version \"v2\""}, B{{"--delay", "9"}, "outside 10..10000"},
        B{{"--delay", "10001"}, "outside 10..10000"},
        B{{"--delay", "15", "--output", "a.webp", "--output", "a.GIF"}, "steps of 10 ms; 15 ms"},
        B{{"--format", "jpg"}, "\"jpg\" is not one of png, bmp, svg, pdf, eps, obj, webp, gif, mp4 or webm"},
        B{{"--output", "-"}, "\"-\" names no supported format"}, B{{"--output", ""}, "empty file name"},
        B{{"--output", "-", "--format", "png", "--segments", "-"}, "only one output can go to standard output"},
        B{{"--frames", "2", "--format", "png", "--output", "-"}, "\"-\" holds one picture"},
        B{{"--scale", "0"}, "\"0\" is not a scale from 0.25 to 8"}, B{{"--scale", "9"}, "from 0.25 to 8"},
        B{{"--scale", "nan"}, "from 0.25 to 8"}, B{{"--scale", "2x"}, "from 0.25 to 8"},
        B{{"--format", "bmp", "--output", "pic.jpg"}, "\"pic.jpg\": this program does not write JPEG files"},
        B{{"--format", "png", "--output", "f-%d.TIFF"}, "TIFF"},
        B{{"--output", "a.webm", "--output", "a.mkv"}, "Matroska"},
        B{{"--format", "mp4", "--output", "clip.mov"}, "QuickTime"}, B{{"--format", "gif", "--output", "x.Avi"}, "AVI"},
        B{{"--input", "k.txt", "cube"}, "--input cannot be combined with the structure \"cube\": the lines take"},
        B{{"--input", "k.txt", "--input", "k.obj"}, "--input: one file of lines is drawn, not two"},
        B{{"--input", "k.json"}, "\"k.json\" names no format of lines; name it with --input-format csv, obj or"},
        B{{"--no-fit"}, "--no-fit: there is no --input FILE to place"}));

TEST(CommandLine, ReadsEveryOption) {
    std::vector<std::string> args = Words(
        "--axes --angles 0.4,-0.6,+0.2 --time=2.5 --ticks 3 --speeds=-50,0,7,50 --frames 9 --seed=32768 "
        "--delay 15 --scale=+2.5 --quiet --output out-%03d.PNG --output a.mp4 --output - --format=WebM "
        "--segments s%d.csv --segments t%d.csv sphere 23 -- Nodes");
    args.insert(args.end(), {"ROSSLER CHAOS", "Liniar Helix"});
    const ParsedCommandLine parsed = ParseCommandLine(args);
    ASSERT_EQ(parsed.ExitStatus(), 0) << parsed.error;
    const RenderOptions& o = parsed.options;
    EXPECT_TRUE(o.showAxis && o.quiet);
    EXPECT_EQ(std::vector<float>({o.angleX, o.angleY, o.angleZ, o.time}),  // each decimal's nearest float
              std::vector<float>({0.4f, -0.6f, 0.2f, 2.5f}));
    EXPECT_EQ(
        std::vector<int>({o.ticks, o.speeds[0], o.speeds[1], o.speeds[2], o.speeds[3], o.frames, o.seed, o.delay}),
        std::vector<int>({3, -50, 0, 7, 50, 9, 32768, 15}));
    EXPECT_EQ(o.outputs, (std::vector<std::string>{"out-%03d.PNG", "a.mp4", "-"}));
    // --format, given after them, is for the name without a known extension only
    EXPECT_EQ(
        std::vector({OutputFormat(o, o.outputs[0]), OutputFormat(o, o.outputs[1]), OutputFormat(o, o.outputs[2])}),
        std::vector<std::optional<FileFormat>>({FileFormat::Png, FileFormat::Mp4, FileFormat::WebM}));
    EXPECT_EQ(o.segments, (std::vector<std::string>{"s%d.csv", "t%d.csv"}));
    EXPECT_EQ(o.scale, 2.5);
    EXPECT_EQ(o.structures, (std::vector<int>{4, 23, 20, 23, 9}));  // list texts in any case, or positions
}

TEST(FrameTemplate, PutsTheNumberInAsPrintfWould) {
    EXPECT_EQ(FramePath("f-%04d.png", 7), "f-0007.png");
    EXPECT_EQ(FramePath("%d%%.svg", 12), "12%.svg");
    EXPECT_EQ(FramePath("a%3d.gif", 5), "a  5.gif");
    EXPECT_EQ(FramePath("100%%/f%d.obj", 123456), "100%/f123456.obj");
    EXPECT_FALSE(IsFrameTemplate("100%%.png"));
}

}  // namespace
