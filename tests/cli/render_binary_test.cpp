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

std::vector<std::string> CsvRows(const std::vector<std::string>& args) {
    std::vector<std::string> all{"--segments", "-"};
    all.insert(all.end(), args.begin(), args.end());
    const RunResult run = RunBinary(all);
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
    EXPECT_EQ(lines.front(), " 1  Cube");
    EXPECT_EQ(lines[14], "15  paraboloid");
    EXPECT_EQ(lines.back(), "23  Rossler Chaos");
    for (int row = 1; row <= CatalogueSize; ++row) EXPECT_EQ(lines[row - 1].substr(4), Catalogue()[row - 1].listText);
}

TEST(RenderCommand, HelpDocumentsEveryOptionAndTheStatuses) {
    const RunResult run = RunBinary({"--help"});
    ASSERT_EQ(run.status, 0);
    for (const char* word : {"--list", "--angles", "--time", "--axes", "--ticks", "--speeds", "--output", "--segments",
                             ".bmp", ".png", "Exit status"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

struct BadRun {
    std::vector<std::string> args;
    std::string message;
};

void PrintTo(const BadRun& c, std::ostream* out) {
    for (const std::string& a : c.args) *out << '[' << a << ']';
}

class BadRunTest : public testing::TestWithParam<BadRun> {};

TEST_P(BadRunTest, ExitsWithTwoAndOneLineOnStandardError) {
    const RunResult run = RunBinary(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Table, BadRunTest,
                         testing::Values(BadRun{{"Cubes"}, "unknown structure"}, BadRun{{"--bogus"}, "unknown option"},
                                         BadRun{{"--time", "1e999"}, "out of range"},
                                         BadRun{{"--angles", "0,inf,0"}, "finite"},
                                         BadRun{{"--speeds", "0,60,0,0", "Cube"}, "-50..50"},
                                         BadRun{{"--ticks", "-2", "Cube"}, "negative"}));

TEST(RenderCommand, CubeGivesSixteenRowsAndTheAxesComeFirst) {
    const std::vector<std::string> cube = CsvRows({"Cube"});
    EXPECT_EQ(cube.size(), 16u);
    const std::vector<std::string> withAxes = CsvRows({"--axes", "Cube"});
    ASSERT_EQ(withAxes.size(), 30u + 16u);
    for (size_t i = 0; i < 30; ++i) {  // the axis colour (0.2, 0.5, 1): blue strongest, red weakest
        const std::vector<std::string> f = Fields(withAxes[i]);
        ASSERT_EQ(f.size(), 13u);
        EXPECT_LT(std::stoi(f[10]), std::stoi(f[11])) << withAxes[i];
        EXPECT_LT(std::stoi(f[11]), std::stoi(f[12])) << withAxes[i];
    }
    EXPECT_EQ(std::vector<std::string>(withAxes.begin() + 30, withAxes.end()), cube);
}

TEST(RenderCommand, WithoutStructureOnlyTheAxesAreDrawn) {
    EXPECT_TRUE(CsvRows({}).empty());
    EXPECT_EQ(CsvRows({"--axes"}).size(), 30u);
}

TEST(RenderCommand, RowsAreTheSegmentsDrawnUnderTheGivenView) {
    const std::vector<std::string> rows = CsvRows({"--angles", "0.4,-0.6,0.2", "--time", "1.25", "Sphere"});
    Scene scene;
    Canvas surface;
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
        EXPECT_EQ(std::stoi(f[10]), s.colour.red);
        EXPECT_EQ(std::stoi(f[11]), s.colour.green);
        EXPECT_EQ(std::stoi(f[12]), s.colour.blue);
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
}

TEST(RenderCommand, OnlyTheLastStructureIsListed) { EXPECT_EQ(CsvRows({"Sphere", "Cube"}), CsvRows({"Cube"})); }

TEST(RenderCommand, TheRandomSourceCarriesFromOneStructureToTheNext) {
    const std::vector<std::string> afterNodes = CsvRows({"Nodes", "Rossler Chaos"});
    EXPECT_EQ(afterNodes.size(), 20u * 20000u);
    EXPECT_EQ(CsvRows({"Nodes", "Rossler Chaos"}), afterNodes) << "the same command must draw the same picture";
    EXPECT_EQ(CsvRows({"Rossler Chaos", "Nodes", "Rossler Chaos"}), afterNodes) << "Nodes leaves one fixed state";
    EXPECT_NE(CsvRows({"Rossler Chaos"}), afterNodes) << "the Rossler starts did not follow the Nodes draws";
}

}  // namespace
