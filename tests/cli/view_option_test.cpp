// --view: the window's state from its text, drawn byte for byte as the options that say the same draw it.
#include <gtest/gtest.h>

#include "run_binary.h"
#include "view_address.h"

namespace {

// The BMP frames of one run, after the options of the view below unless it is an address.
std::vector<std::string> Bmps(std::vector<std::string> args, int count = 1) {
    const ScratchDir dir;
    if (args[0] != "--view") args.insert(args.begin(), {"--angles", "0.4,-0.6,0.2", "--time", "1.25"});
    args.insert(args.end(), {"--frames", std::to_string(count), "--output", dir.path / "f%d.bmp"});
    EXPECT_EQ(RunBinary(args).status, 0);
    std::vector<std::string> files;
    for (int f = 0; f < count; ++f) files.push_back(ReadWholeFile(dir.path / ("f" + std::to_string(f) + ".bmp")));
    return files;
}

std::string View(std::int16_t row, bool axes, Speeds speeds = {}, std::uint64_t random = RandomSource{}.state) {
    return "https://example.org/orbiza.html#" +
           ViewAddressText({{0.4f, -0.6f, 0.2f, 1.25f, row}, speeds, axes, true, random});
}

// Catches a lost field (axes, time, row), a picture drawn twice or uncleared, "nothing selected" drawn, a structure
// drawn beside the lines of --input.
TEST(ViewOption, DrawsWhatTheOptionsThatSayTheSameDraw) {
    EXPECT_EQ(Bmps({"--view", View(4, true)}), Bmps({"--axes", "Sphere"}));
    EXPECT_EQ(Bmps({"--view", View(22, false)}), Bmps({"22"}));
    EXPECT_EQ(Bmps({"--view", View(0, true)}), Bmps({"--axes"}));
    const ScratchDir dir;  // a knot's lines in the place of the row's structure
    WriteWholeFile(dir.path / "k.txt", "1 0 0\n0 1 0.5\n-1 0 1\n\n0 0 0\n0 0 3\n");
    EXPECT_EQ(Bmps({"--view", View(4, true, {5, 0, -3, 0}), "--input", dir.path / "k.txt"}, 2),
              Bmps({"--axes", "--speeds", "5,0,-3,0", "--input", dir.path / "k.txt"}, 2));
}

// Catches a random state or speeds not restored: a seed's state draws that seed's pictures.
TEST(ViewOption, RosslerComesBackFromItsRandomStateAndAnimatesAtItsSpeeds) {
    RandomSource seeded;
    NextRandom(seeded, -7);
    EXPECT_EQ(Bmps({"--view", View(23, true, {5, 0, -3, 0}, seeded.state)}, 2),
              Bmps({"--seed", "7", "--speeds", "5,0,-3,0", "--axes", "23"}, 2));
    const std::vector<std::string> other = Bmps({"--view", View(23, false, {}, 0xfedcba9876543210)});
    EXPECT_EQ(Bmps({"--view", View(23, false, {}, 0xfedcba9876543210)}), other);
    EXPECT_NE(Bmps({"--view", View(23, false)}), other);
}

}  // namespace
