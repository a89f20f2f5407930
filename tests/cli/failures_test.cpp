// What a failed write leaves behind.
#include <gtest/gtest.h>

#include "run_binary.h"
#include "run_time_error.h"

namespace {

// Catches an old file replaced, a new one left or standard output written when a write fails (into a directory, cut
// at 1 KB).
TEST(FailedRun, KeepsEveryOldFileAndLeavesNoNewOne) {
    const std::pair<std::string, long> cases[]{
        {"--segments @dir --output @old.bmp --output @new.png Cube", 0},
        {"--output @new.svg --output @taken.png --output @old.gif Cube", 0},
        {"--output @old.png --output @old.bmp --axes Sphere", 1024},
        {"--output @old.gif --segments @old.csv --axes Sphere", 1024},
        {"--output @old.mp4 --output @new.webm --frames 3 --speeds 0,5,0,0 Sphere", 1024},
        {"--output @old.mp4 Cube", 1024},  // one small frame: the muxer writes only at the end
        {"--output @new.mp4 --output @taken.png Sphere", 0},
        {"--format png --output - --output @old.bmp --axes Sphere", 1024}};  // the picture held back from "-"
    const std::vector<std::string> old{"old.bmp", "old.png", "old.gif", "old.csv", "old.mp4"};
    for (const auto& [given, sizeLimit] : cases) {
        const ScratchDir dir;
        for (const char* folder : {"dir", "taken.png"}) std::filesystem::create_directory(dir.path / folder);
        for (const std::string& name : old) WriteWholeFile(dir.path / name, Earlier);
        const RunResult run = RunBinary(Words(given, dir.path), sizeLimit);
        EXPECT_EQ(run.status, 1) << given;
        EXPECT_EQ(run.out, "") << given;
        ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find("cannot write \"" + dir.path.string()), std::string::npos) << run.err;
        EXPECT_EQ(dir.Names().size(), 7u) << "a new or temporary file was left behind: " << given;
        for (const std::string& name : old) EXPECT_EQ(ReadWholeFile(dir.path / name), Earlier) << name;
    }
}

TEST(FailedRun, AFrameSequenceStopsAtTheFailingFrameAndKeepsWholeFiles) {
    const ScratchDir dir;
    std::filesystem::create_directory(dir.path / "f-3.png");  // frame 3 cannot be written
    const RunResult run =
        RunBinary({"--frames", "40", "--speeds", "0,4,0,7", "--output", dir.path / "f-%d.png", "Sphere"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("f-3.png\": "), std::string::npos) << run.err;
    const std::vector<std::string> names = dir.Names();
    EXPECT_LT(names.size(), 40u) << "the sequence should stop";
    for (const std::string& name : names)
        EXPECT_TRUE(name == "f-3.png" || !QImage(QString::fromStdString(dir.path / name)).isNull()) << name;
}

void FailAfterOneSegment(Scene& scene) {
    DrawSegment(scene.tools, MakeVec(0, 0, 0), MakeVec(1, 0, 0), ViewAngles(scene));
    RaiseFloatingPointError();
}

TEST(FailedRun, ARunTimeErrorWhileDrawingIsReportedAndNothingIsWritten) {
    const ScratchDir dir;
    RenderOptions options;
    options.structures = {1, 4};
    options.outputs = {dir.path / "cube.png"};
    const auto [status, err] = RenderInProcess(options, FailAfterOneSegment);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(Lines(err).size(), 1u);
    EXPECT_NE(err.find("run-time error while drawing \"Cube\""), std::string::npos) << err;
    EXPECT_TRUE(dir.Names().empty());
}

// Standard output cannot take back what it got, so it is finished before any file takes its name.
TEST(FailedRun, StandardOutputFailingKeepsTheFiles) {
    const ScratchDir dir;
    WriteWholeFile(dir.path / "old.bmp", Earlier);
    const RunResult run = RunProgram({"bash", "-c", "$0 --format png --output $1 --output - Sphere >/dev/full",
                                      ORBIZA_RENDER_PATH, dir.path / "old.bmp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("orbiza-render: cannot write \"standard output\": ", 0), 0u) << run.err;
    EXPECT_TRUE(ReadWholeFile(dir.path / "old.bmp") == Earlier) << "the file was replaced";
}

}  // namespace
