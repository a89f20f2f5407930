// The built renderer run as a user would: statuses, messages, the list and the segment CSV.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalogue.h"
#include "run_binary.h"
#include "segments_csv.h"

namespace {

std::vector<std::string> CsvRows(std::vector<std::string> args) {
    args.insert(args.begin(), {"--segments", "-"});
    const RunResult run = RunBinary(args);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    EXPECT_EQ(lines.empty() ? "" : lines.front(), SegmentsCsvHeader);
    return lines.empty() ? lines : std::vector<std::string>(lines.begin() + 1, lines.end());
}

TEST(RenderCommand, ListPrintsTheTwentyThreeTextsWithTheirPositions) {
    const RunResult run = RunBinary({"--list"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[14], "15  paraboloid");
    for (int row = 1; row <= CatalogueSize; ++row) EXPECT_EQ(lines[row - 1].substr(4), Catalogue()[row - 1].listText);
}

TEST(RenderCommand, HelpAndVersionWinAndTheErrorsTakeOneLine) {
    const RunResult help = RunBinary({"--bogus", "--help"});
    EXPECT_EQ(help.status, 0);
    std::vector<std::string> phrases = Words(
        "--output --segments --frames --seed --quiet --view --delay --format "
        "--scale .svg .obj .webp .gif .mp4 .webm");
    phrases.insert(phrases.end(),
                   {"566 x 518", "Exit status", "8: 4520 x 4136", "the same at every scale", "512 MiB",
                    "write-protected", ".tiff, .avi, .mov or .mkv", "kill by SIGKILL", "reach one place"});
    for (const std::string& phrase : phrases) EXPECT_NE(help.out.find(phrase), std::string::npos) << phrase;
    // The project's version and the instruction-set level in use, then the licence as GNU programs give it.
    EXPECT_THAT(Lines(RunBinary({"Cubes", "--version"}).out),
                testing::ElementsAre(testing::MatchesRegex("orbiza-render " ORBIZA_VERSION " \\((scalar|sse2|avx2)\\)"),
                                     testing::StartsWith("Copyright (C) "), testing::StartsWith("License GPLv3+: "),
                                     testing::_, testing::StartsWith("There is NO WARRANTY")));
    const ScratchDir dir;
    const std::string picture = dir.path / "a.png";
    for (const std::string& args :
         {std::string("--bogus"), "--frames 2 --output " + picture, "--scale 9 --output " + picture + " Cube"}) {
        const RunResult run = RunBinary(Words(args));
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_TRUE(run.out.empty());
        EXPECT_THAT(Lines(run.err), testing::ElementsAre(testing::StartsWith("orbiza-render: "))) << run.err;
    }
    EXPECT_TRUE(dir.Names().empty()) << "a bad command line writes nothing";
}

// Catches a run that lists every structure given, or each on a fresh random source, or draws no axes alone; the
// axes before the structure: structures_table_test.cpp; a seed's state: view_option_test.cpp.
TEST(RenderCommand, TheLastStructureIsListedDrawnAfterTheOthersOrTheAxesAlone) {
    EXPECT_EQ(CsvRows({"Sphere", "Cube"}), CsvRows({"Cube"}));
    EXPECT_NE(CsvRows({"Rossler Chaos"}), CsvRows({"Nodes", "Rossler Chaos"}));
    EXPECT_EQ(CsvRows({"--axes"}).size(), 30u);
}

}  // namespace
