// --input: line data drawn in a structure's place, with every view option; bad data refused, nothing written.
#include <gtest/gtest.h>

#include "run_binary.h"
#include "view_address.h"

namespace {

// Catches bad data drawn, reported without its line or as another failure than a bad command line, or a file
// written before the data was read.
TEST(InputLines, BadDataExitsWithTwoNamingTheLineAndWritesNothing) {
    const struct {
        const char* name;
        const char* text;  // none: no such file
        const char* message;
    } cases[] = {
        {"a.txt", "1 2 3\n4 5 x\n", ":2: \"x\" is not a number"},
        {"a.xyz", "1 2 3\n1 inf 3\n", ":2: \"inf\" is not a finite number"},
        {"a.obj", "v 0 0 0\nv 1 1 1\nl 1 2\nl 2 3\n", ":4: vertex \"3\" does not exist"},
        {"a.csv", "px,py,pz,qx,qy,r,g,b\n1,2,3,4,5,6,7,8\n", ":1: no column \"qz\""},
        {"a.dat", "\n", ":1: empty, no segment to draw"},
        {"missing.txt", nullptr, ": cannot be read: No such file or directory"},
    };
    for (const auto& c : cases) {
        const ScratchDir dir;
        if (c.text) WriteWholeFile(dir.path / c.name, c.text);
        const RunResult run =
            RunBinary(Words("--output @a.png --segments @s.csv --input @" + std::string(c.name), dir.path));
        EXPECT_EQ(run.status, 2) << c.name;
        EXPECT_TRUE(run.err.starts_with("orbiza-render: " + (dir.path / c.name).string() + c.message)) << run.err;
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_EQ(dir.Names().size(), c.text ? 1u : 0u) << c.name;
    }
}

// Catches a fit that divides by an extent of zero: data in one place is drawn there, at the picture's centre.
TEST(InputLines, DataInOnePlaceDrawsOnePixelAtTheCentre) {
    const ScratchDir dir;
    WriteWholeFile(dir.path / "p.txt", "5 -7 1e30\n5 -7 1e30\n");
    ASSERT_EQ(RunBinary(Words("--input @p.txt --output @p.png", dir.path)).status, 0);
    const QImage picture = QImage(QString::fromStdString(dir.path / "p.png")).convertToFormat(QImage::Format_RGB32);
    int lit = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) lit += (picture.pixel(x, y) & 0xFFFFFF) != 0;
    EXPECT_EQ(lit, 1);
    EXPECT_NE(picture.pixel(282, 258) & 0xFFFFFF, 0u);
}

// Catches the address's structure drawn beside the lines, its angles, axes or speeds lost, or standard input read
// otherwise than a file.
TEST(InputLines, TakeTheStructuresPlaceInAViewAndComeFromStandardInput) {
    const ScratchDir dir;
    WriteWholeFile(dir.path / "knot.txt", "1 0 0\n0 1 0.5\n-1 0 1\n0 -1 1.5\n1 0 2\n\n0 0 0\n0 0 3\n");
    const std::string view = ViewAddressText({{0.4f, -0.6f, 0.2f, 1.25f, 4}, {5, 0, -3, 0}, true, false});
    const std::string options = "--angles 0.4,-0.6,0.2 --speeds 5,0,-3,0 --axes --frames 2 ";
    const std::pair<std::string, std::string> runs[] = {
        {options + "--input @knot.txt --output @a%d.bmp", ""},
        {"--view " + view + " --frames 2 --input @knot.txt --output @b%d.bmp", ""},
        {options + "--input - --input-format points --output @c%d.bmp", dir.path / "knot.txt"}};
    for (const auto& [args, standardInput] : runs)
        EXPECT_EQ(RunBinary(Words(args, dir.path), 0, standardInput).status, 0);
    for (const char* frame : {"0", "1"}) {
        const std::string a = ReadWholeFile(dir.path / ("a" + std::string(frame) + ".bmp"));
        EXPECT_EQ(ReadWholeFile(dir.path / ("b" + std::string(frame) + ".bmp")), a);
        EXPECT_EQ(ReadWholeFile(dir.path / ("c" + std::string(frame) + ".bmp")), a);
    }
    EXPECT_NE(ReadWholeFile(dir.path / "a0.bmp"), ReadWholeFile(dir.path / "a1.bmp")) << "the second frame turns";
}

// What the renderer wrote of a structure at a view, read back with --no-fit at the same view: the same picture,
// byte for byte, from the segment table at scales 1 and 2 and from the OBJ export (which holds the axes only with
// --axes). Catches a segment turned round, a given colour shaded again or rounded, a polyline split or joined
// where the writer did not, a point moved by the fit or by a float read back other than written.
class WrittenBack : public testing::TestWithParam<int> {};

TEST_P(WrittenBack, DrawsTheSamePicture) {
    const ScratchDir dir;
    const std::string row = std::to_string(GetParam()), view = "--angles 0.4,-0.6,0.2 --time 1.3 ";
    for (const auto& [scale, written, options] :
         {std::tuple{"1", "@s.csv", "--axes --segments"}, std::tuple{"2", "@s.csv", "--axes --segments"},
          std::tuple{"1", "@s.obj", "--axes --output"}}) {
        const std::string size = std::string("--scale ") + scale + " ";
        ASSERT_EQ(RunBinary(Words(view + size + options + " " + written + " --output @a.bmp " + row, dir.path)).status,
                  0);
        ASSERT_EQ(RunBinary(Words(view + size + "--input " + written + " --no-fit --output @b.bmp", dir.path)).status,
                  0);
        EXPECT_TRUE(ReadWholeFile(dir.path / "a.bmp") == ReadWholeFile(dir.path / "b.bmp"))
            << written << " at " << scale;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, WrittenBack, testing::Range(1, CatalogueSize + 1),
                         [](const testing::TestParamInfo<int>& info) { return "row" + std::to_string(info.param); });

}  // namespace
