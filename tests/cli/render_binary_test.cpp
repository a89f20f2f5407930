// The built renderer run as a user would: statuses, messages, the list and the segment CSV.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>

#include "catalogue.h"
#include "run_binary.h"
#include "segments_csv.h"

namespace {

std::vector<std::string> Fields(const std::string& row) {
    std::vector<std::string> fields;
    std::istringstream in(row);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    return fields;
}

std::uint32_t FloatBits(const std::string& text) {
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return std::bit_cast<std::uint32_t>(value);
}

std::vector<std::string> CsvRows(std::vector<std::string> args) {
    args.insert(args.begin(), {"--segments", "-"});
    const RunResult run = RunBinary(args);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    EXPECT_FALSE(lines.empty());
    if (lines.empty()) return lines;
    EXPECT_EQ(lines.front(), SegmentsCsvHeader);
    lines.erase(lines.begin());
    return lines;
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
    for (const char* word :
         {"--output", "--segments", "--frames", "--seed", "--quiet", ".svg", ".obj", ".webp", ".gif", "Exit status"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    EXPECT_EQ(Lines(RunBinary({"Cubes", "--version"}).out), std::vector<std::string>{"orbiza-render 1.0"});
    for (const auto& args : {std::vector<std::string>{"--bogus"}, {"Sphere"}, {"--frames", "2", "--output=a.png"}}) {
        const RunResult run = RunBinary(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    }
}

TEST(RenderCommand, CubeGivesSixteenRowsAfterTheThirtyAxisRows) {
    const std::vector<std::string> cube = CsvRows({"Cube"}), withAxes = CsvRows({"--axes", "Cube"});
    EXPECT_EQ(cube.size(), 16u);
    ASSERT_EQ(withAxes.size(), 30u + 16u);
    EXPECT_EQ(std::vector<std::string>(withAxes.begin() + 30, withAxes.end()), cube);
    EXPECT_EQ(CsvRows({"--axes"}).size(), 30u) << "without a structure only the axes are drawn";
}

TEST(RenderCommand, RowsAreTheSegmentsDrawnUnderTheGivenView) {
    const std::vector<std::string> rows = CsvRows({"--angles", "0.4,-0.6,0.2", "--time", "1.25", "Sphere"});
    Scene scene;
    Surface surface;
    SegmentLog log;
    scene.tools.surface = &surface;
    scene.tools.log = &log;
    scene.view = {0.4f, -0.6f, 0.2f, 1.25f, 4};
    RedrawScene(scene);
    ASSERT_EQ(rows.size(), log.size());
    for (size_t i = 0; i < log.size(); ++i) {
        const SegmentRecord& s = log[i];
        const std::vector<std::string> f = Fields(rows[i]);
        ASSERT_EQ(f.size(), 13u) << rows[i];
        const float expected[] = {s.p.x, s.p.y, s.p.z, s.q.x, s.q.y, s.q.z, s.x1, s.y1, s.x2, s.y2};
        for (int k = 0; k < 10; ++k)
            ASSERT_EQ(FloatBits(f[k]), std::bit_cast<std::uint32_t>(expected[k])) << "row " << i << " field " << k;
        EXPECT_EQ(
            f[10] + "," + f[11] + "," + f[12],
            std::to_string(s.colour.red) + "," + std::to_string(s.colour.green) + "," + std::to_string(s.colour.blue));
    }
}

TEST(RenderCommand, TicksAdvanceTheViewAsTheTimerDoes) {
    ViewState view;
    view.AngleX = 0.05f;
    for (int i = 0; i < 7; ++i) ApplyTimerTick(view, {13, -50, 1, 50});
    const std::string angles = FloatText(view.AngleX) + "," + FloatText(view.AngleY) + "," + FloatText(view.AngleZ);
    const std::vector<std::string> ticked =
        CsvRows({"--angles", "0.05,0,0", "--ticks", "7", "--speeds", "13,-50,1,50", "Sphere"});
    EXPECT_EQ(ticked, CsvRows({"--angles", angles, "--time", FloatText(view.AnimTime), "Sphere"}));
    EXPECT_NE(ticked, CsvRows({"Sphere"}));
    EXPECT_EQ(CsvRows({"Sphere", "Cube"}), CsvRows({"Cube"})) << "only the last structure is listed";
}

TEST(RenderCommand, TheRandomSourceCarriesOnAndASeedStartsItAfresh) {
    const std::vector<std::string> afterNodes = CsvRows({"Nodes", "Rossler Chaos"});
    EXPECT_EQ(afterNodes.size(), 20u * 20000u);
    EXPECT_EQ(CsvRows({"Rossler Chaos", "Nodes", "Rossler Chaos"}), afterNodes) << "Nodes leaves one fixed state";
    const std::vector<std::string> fixedStart = CsvRows({"Rossler Chaos"}), seeded = CsvRows({"--seed", "7", "23"});
    EXPECT_NE(fixedStart, afterNodes) << "the Rossler starts did not follow the Nodes draws";
    EXPECT_NE(seeded, fixedStart);
    Scene scene;  // the key -7, then the picture
    SegmentLog log;
    scene.tools.log = &log;
    scene.view.StructureIndex = 23;
    NextRandom(scene.random, -7);
    RedrawScene(scene);
    EXPECT_EQ(seeded.size(), log.size());
    EXPECT_EQ(seeded[12345].substr(0, seeded[12345].find(',')), FloatText(log[12345].p.x));
}

}  // namespace
