// --view: the page's state drawn by the renderer, byte for byte as the options that say the same.
#include <gtest/gtest.h>

#include "run_binary.h"
#include "view_address.h"

namespace {

// The BMP (or with --frames, the PNG frames) of one run, with its status.
std::vector<std::string> Pictures(std::vector<std::string> args, int frames = 1) {
    const ScratchDir dir;
    args.insert(args.end(), {"--output", frames > 1 ? dir.path / "f%d.png" : dir.path / "p.bmp"});
    const RunResult run = RunBinary(args);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> files;
    for (int f = 0; f < frames; ++f)
        files.push_back(ReadWholeFile(frames > 1 ? dir.path / ("f" + std::to_string(f) + ".png") : dir.path / "p.bmp"));
    return files;
}

std::string Address(std::int16_t row, bool axes, Speeds speeds, std::uint64_t random = RandomSource{}.state) {
    ViewAddress address;
    address.view = {0.4f, -0.6f, 0.2f, 1.25f, row};
    address.showAxis = axes, address.speeds = speeds, address.randomState = random;
    address.timerRunning = true;
    return "https://example.org/orbiza.html#" + ViewAddressText(address);
}

const std::vector<std::string> Options{"--angles", "0.4,-0.6,0.2", "--time", "1.25"};

std::vector<std::string> With(std::vector<std::string> args) {
    args.insert(args.begin(), Options.begin(), Options.end());
    return args;
}

// Catches a lost field (axes, time, the row), a picture drawn without clearing
// or twice, and "nothing selected" drawn as another row.
TEST(ViewOption, DrawsWhatTheOptionsThatSayTheSameDraw) {
    EXPECT_EQ(Pictures({"--view", Address(4, true, {})}), Pictures(With({"--axes", "Sphere"})));
    EXPECT_EQ(Pictures({"--view", Address(22, false, {})}), Pictures(With({"22"})));
    EXPECT_EQ(Pictures({"--view", Address(0, true, {})}), Pictures(With({"--axes"})));
    EXPECT_EQ(Pictures({"--view", Address(0, false, {})}), Pictures({"--time", "7"})) << "a black picture";
}

// The random source comes back as it was: the state a seed leaves is that
// seed's picture and animation, at the address's speeds; another state gives
// another picture, the same every time.
TEST(ViewOption, RosslerComesBackFromItsRandomStateAndAnimatesAtItsSpeeds) {
    RandomSource seeded;
    NextRandom(seeded, -7);
    const Speeds speeds{5, 0, -3, 0};
    EXPECT_EQ(Pictures({"--frames", "2", "--view", Address(23, true, speeds, seeded.state)}, 2),
              Pictures(With({"--frames", "2", "--seed", "7", "--speeds", "5,0,-3,0", "--axes", "23"}), 2));
    const std::vector<std::string> other = Pictures({"--view", Address(23, false, {}, 0xfedcba9876543210)});
    EXPECT_EQ(Pictures({"--view", Address(23, false, {}, 0xfedcba9876543210)}), other);
    EXPECT_NE(Pictures({"--view", Address(23, false, {})}), other);
}

TEST(ViewOption, AMalformedAddressIsOneLineSayingWhatIsWrong) {
    const RunResult run = RunBinary({"--view", "#v1;row=24", "--output", "never.bmp"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "orbiza-render: --view: row: \"24\" is outside 0..23\n");
}

}  // namespace
