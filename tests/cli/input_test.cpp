// --input: bad data refused, nothing written; what the renderer wrote read back to the same picture.
#include <gtest/gtest.h>

#include "run_binary.h"

namespace {

// Catches bad data drawn, reported without its line or as another failure than a bad command line, or a file
// written before the data was read.
TEST(InputLines, BadDataExitsWithTwoNamingTheLineAndWritesNothing) {
    for (const auto& [name, text, message] :
         {std::tuple{"a.txt", "1 2 3\n4 5 x\n", ":2: \"x\" is not a number"},
          {"a.obj", "v 0 0 0\nv 1 1 1\nl 1 2\nl 2 3\n", ":4: vertex \"3\" does not"},
          {"a.csv", "px,py,pz,qx,qy,r,g,b\n1,2,3,4,5,6,7,8\n", ":1: no column"}}) {
        const ScratchDir dir;
        WriteWholeFile(dir.path / name, text);
        const RunResult run =
            RunBinary(Words("--output @a.png --segments @s.csv --input @" + std::string(name), dir.path));
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_TRUE(run.err.starts_with("orbiza-render: " + (dir.path / name).string() + message)) << run.err;
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_EQ(dir.Names().size(), 1u) << name;
    }
}

// What the renderer wrote of a structure, read back with --no-fit at the same view: the same picture, byte for byte,
// from the segment table at scales 1 and 2 and from the OBJ export. Catches a segment turned round, a given colour
// shaded again or rounded, a polyline split or joined, a point moved by the fit or read back other than written.
class WrittenBack : public testing::TestWithParam<int> {};

TEST_P(WrittenBack, DrawsTheSamePicture) {
    const ScratchDir dir;
    for (const auto& [scale, written, option] :
         {std::tuple{"1", "@s.csv", "--axes --segments"}, std::tuple{"2", "@s.csv", "--axes --segments"},
          std::tuple{"1", "@s.obj", "--axes --output"}}) {
        const auto run = [&](const std::string& args) {
            return RunBinary(
                Words("--angles 0.4,-0.6,0.2 --time 1.3 --scale " + std::string(scale) + " " + args, dir.path));
        };
        ASSERT_EQ(run(option + std::string(" ") + written + " --output @a.bmp " + std::to_string(GetParam())).status,
                  0);
        ASSERT_EQ(run(std::string("--input ") + written + " --no-fit --output @b.bmp").status, 0);
        EXPECT_TRUE(ReadWholeFile(dir.path / "a.bmp") == ReadWholeFile(dir.path / "b.bmp"))
            << written << " at " << scale;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, WrittenBack, testing::Range(1, CatalogueSize + 1),
                         [](const testing::TestParamInfo<int>& info) { return "row" + std::to_string(info.param); });

}  // namespace
