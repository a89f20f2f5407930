// What a failed write leaves behind, and targets that are not regular files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>

#include "render_job.h"
#include "run_binary.h"
#include "run_time_error.h"

namespace {

const std::string Earlier = "the earlier file";

// Every write below fails: a segment list into a directory, a picture over a
// directory, files cut at 1 KB (the BMP in one large write, the PNG, GIF and
// CSV only when flushed at the end, the video as the muxer goes). "@" marks a
// name in the scratch folder.
TEST(FailedRun, KeepsEveryOldFileAndLeavesNoNewOne) {
    const std::vector<std::pair<std::vector<std::string>, long>> cases{
        {{"--segments", "@dir", "--output", "@old.bmp", "--output", "@new.png", "Cube"}, 0},
        {{"--output", "@new.svg", "--output", "@taken.png", "--output", "@old.gif", "Cube"}, 0},
        {{"--output", "@old.png", "--output", "@old.bmp", "--axes", "Sphere"}, 1024},
        {{"--output", "@old.gif", "--segments", "@old.csv", "--axes", "Sphere"}, 1024},
        {{"--output", "@old.mp4", "--output", "@new.webm", "--frames", "3", "--speeds", "0,5,0,0", "Sphere"}, 1024},
        {{"--output", "@old.mp4", "Cube"}, 1024},  // one small frame: the muxer writes only at the end
        {{"--output", "@new.mp4", "--output", "@taken.png", "Sphere"}, 0}};
    const std::vector<std::string> old{"old.bmp", "old.png", "old.gif", "old.csv", "old.mp4"};
    for (const auto& [given, sizeLimit] : cases) {
        const ScratchDir dir;
        std::filesystem::create_directory(dir.path / "dir");
        std::filesystem::create_directory(dir.path / "taken.png");
        for (const std::string& name : old) WriteWholeFile(dir.path / name, Earlier);
        std::vector<std::string> args;
        for (const std::string& a : given) args.push_back(a[0] == '@' ? (dir.path / a.substr(1)).string() : a);
        const RunResult run = RunBinary(args, sizeLimit);
        EXPECT_EQ(run.status, 1) << args[1];
        ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find("cannot write \"" + dir.path.string()), std::string::npos) << run.err;
        EXPECT_EQ(dir.Names().size(), 7u) << "a new or temporary file was left behind: " << args[1];
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
    std::ostringstream err;
    TemporaryFiles temporaries;
    EXPECT_EQ(RunRender(options, temporaries, err, FailAfterOneSegment), 1);
    EXPECT_NE(err.str().find("run-time error while drawing \"Cube\""), std::string::npos) << err.str();
    EXPECT_EQ(Lines(err.str()).size(), 1u);
    EXPECT_TRUE(dir.Names().empty());
}

// Standard output cannot take back what it got, so it is finished before any file takes its name.
TEST(FailedRun, StandardOutputFailingKeepsTheFiles) {
    const ScratchDir dir;
    WriteWholeFile(dir.path / "old.bmp", Earlier);
    RenderOptions options;
    options.structures = {4};
    options.format = FileFormat::Png;
    options.outputs = {dir.path / "old.bmp", "-"};
    const int saved = dup(STDOUT_FILENO), full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    dup2(full, STDOUT_FILENO);
    TemporaryFiles temporaries;
    std::ostringstream err;
    const int status = RunRender(options, temporaries, err);
    dup2(saved, STDOUT_FILENO), close(saved), close(full);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err.str().rfind("orbiza-render: cannot write \"standard output\": ", 0), 0u) << err.str();
    EXPECT_TRUE(ReadWholeFile(dir.path / "old.bmp") == Earlier) << "the file was replaced";
}

// A pipe gets what standard output gets: a video in the form that streams.
TEST(SpecialTarget, ANamedPipeIsWrittenIntoAndStaysAPipe) {
    for (const std::vector<std::string>& given :
         {std::vector<std::string>{"--segments", "@"}, {"--format", "mp4", "--output", "@"}}) {
        const ScratchDir dir;
        const std::string pipe = dir.path / "pipe";
        ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
        const int reader = open(pipe.c_str(), O_RDWR | O_NONBLOCK);  // read and write ends: nobody blocks
        std::vector<std::string> args = given, toStandardOutput = given;
        args.back() = pipe, toStandardOutput.back() = "-";
        args.push_back("Cube"), toStandardOutput.push_back("Cube");
        const RunResult run = RunBinary(args);
        std::string received(1 << 16, '\0');
        received.resize(std::size_t(std::max<ssize_t>(0, read(reader, received.data(), received.size()))));
        close(reader);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(received == RunBinary(toStandardOutput).out) << given[0];
        struct stat info {};
        ASSERT_EQ(stat(pipe.c_str(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode));
    }
}

TEST(SpecialTarget, AFullDeviceIsAFailureAndStaysADevice) {
    const RunResult run = RunBinary({"--segments", "/dev/full", "Cube"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("\"/dev/full\": "), std::string::npos) << run.err;
    struct stat info {};
    ASSERT_EQ(stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

}  // namespace
