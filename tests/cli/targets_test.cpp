// Awkward targets, temporaries that must not cost a stranger's file, readers that leave, signals.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include "output_file.h"
#include "run_binary.h"

namespace {

// bash `script`: $R renderer, $D holds "kept" (640), $C cube CSV; then $D holds `after` ("->" link, "@" CSV).
struct TargetCase {
    std::string what, script;
    std::map<std::string, std::string> after;
    int status = 0;
};

void PrintTo(const TargetCase& c, std::ostream* out) { *out << c.what; }

class AwkwardTarget : public testing::TestWithParam<TargetCase> {};

TEST_P(AwkwardTarget, IsReplacedWrittenIntoOrRefusedAsWhatItIs) {
    const TargetCase& c = GetParam();
    const ScratchDir dir, csv;
    const std::string cube = RunBinary({"--segments", "-", "Cube"}).out;
    WriteWholeFile(csv.path / "cube", cube);
    WriteWholeFile(dir.path / "kept", Earlier);
    chmod((dir.path / "kept").c_str(), 0640);
    const RunResult run = RunProgram(
        {"bash", "-c", "R=$1 D=$2 C=$3; " + c.script, "bash", ORBIZA_RENDER_PATH, dir.path, csv.path / "cube"});
    EXPECT_EQ(run.status, c.status) << run.err;
    std::map<std::string, std::string> found, expected = c.after;
    for (const std::string& name : dir.Names()) {
        const auto path = dir.path / name;
        found[name] = std::filesystem::is_symlink(path)        ? "->" + std::filesystem::read_symlink(path).string()
                      : std::filesystem::is_regular_file(path) ? ReadWholeFile(path)
                                                               : "(other)";
    }
    for (auto& [name, contents] : expected)
        for (std::size_t at; (at = contents.find('@')) != std::string::npos;) contents.replace(at, 1, cube);
    EXPECT_EQ(found, expected);
    struct stat kept {};
    EXPECT_TRUE(stat((dir.path / "kept").c_str(), &kept) != 0 || (kept.st_mode & 07777) == 0640);
}

// Catches a target replaced that should be written into, or the other way, and a failure called success.
INSTANTIATE_TEST_SUITE_P(
    Table, AwkwardTarget,
    testing::Values(
        TargetCase{"a file in /dev/shm",
                   "S=$(mktemp -d /dev/shm/orbiza-XXXXXX); cp -p $D/kept $S; $R --segments $S/kept Cube && "
                   "$R --segments $S/kept Cube; s=$?; cp -p $S/kept $D; rm -r $S; exit $s",
                   {{"kept", "@"}}},
        TargetCase{"a file through /proc/self/cwd",
                   "cd $D && $R --segments /proc/self/cwd/kept Cube && $R --segments /proc/self/cwd/kept Cube",
                   {{"kept", "@"}}},
        TargetCase{
            "a link to a file", "ln -s kept $D/link; $R --segments $D/link Cube", {{"kept", "@"}, {"link", "->kept"}}},
        TargetCase{"dangling links",
                   "mkdir $D/sub; ln -s x $D/sub/new; ln -s sub/new $D/link; rm $D/kept; "
                   "$R --segments $D/link Cube && mv $D/sub/x $D/made",
                   {{"link", "->sub/new"}, {"sub", "(other)"}, {"made", "@"}}},
        TargetCase{"a dangling link into no folder",
                   "ln -s nowhere/x $D/link; said=$($R --segments $D/link Cube 2>&1); s=$?; "
                   "[[ $said == *'/nowhere\" does not exist' ]] || s=9; exit $s",
                   {{"kept", Earlier}, {"link", "->nowhere/x"}},
                   1},
        TargetCase{"a named pipe",
                   "mkfifo $D/pipe; cat $D/pipe > $D/got & $R --segments $D/pipe Cube; wait",
                   {{"kept", Earlier}, {"pipe", "(other)"}, {"got", "@"}}},
        TargetCase{"a named pipe taking a video",
                   "mkfifo $D/pipe; cat $D/pipe > $D/got & $R --format mp4 --output $D/pipe Cube; wait; "
                   "$R --format mp4 --output - Cube | cmp -s - $D/got && rm $D/got",
                   {{"kept", Earlier}, {"pipe", "(other)"}}},
        TargetCase{"the full device",
                   "$R --segments /dev/full Cube 2>$D/said; s=$?; [[ -c /dev/full ]] && "
                   "grep -q '\"/dev/full\": ' $D/said && rm $D/said; exit $s",
                   {{"kept", Earlier}},
                   1},
        TargetCase{"a named pipe whose reader leaves",
                   "mkfifo $D/pipe; head -c1 $D/pipe >/dev/null & $R --segments $D/pipe 'Rossler Chaos' 2>/dev/null; "
                   "s=$?; wait; exit $s",
                   {{"kept", Earlier}, {"pipe", "(other)"}},
                   1},
        TargetCase{"descriptor names",
                   "exec 3>>$D/kept; $R --segments /dev/fd/3 Cube && $R --segments /proc/self/fd/3 Cube",
                   {{"kept", Earlier + "@@"}}},
        TargetCase{"a name with a percent sign", "rm $D/kept; $R --segments $D/100%%.csv Cube", {{"100%.csv", "@"}}}));

// Catches removing, after 100 names found taken, the last one tried as if it were ours.
TEST(Temporaries, TakenNamesStayTheirOwners) {
    const ScratchDir dir;
    const std::string folder = std::filesystem::canonical(dir.path);
    TemporaryFiles temporaries;
    std::mt19937_64 ahead = temporaries.bits;
    for (int i = 0; i < 100; ++i) WriteWholeFile(TemporaryName(folder, "x.csv", ahead), Earlier);
    {
        OutputFile file;
        EXPECT_FALSE(OpenOutput(file, folder + "/x.csv", temporaries));
        EXPECT_EQ(file.errorNumber, EEXIST);
    }
    EXPECT_EQ(dir.Names().size(), 100u);
    EXPECT_TRUE(temporaries.paths.empty());
}

// `| head` ends the run quietly with 141; the run's other file is not replaced.
TEST(StandardOutput, AReaderThatLeavesEndsTheRunQuietly) {
    const ScratchDir dir;
    WriteWholeFile(dir.path / "old.png", Earlier);
    const RunResult run =
        RunProgram({"bash", "-c", "$0 --segments - --output $1 'Rossler Chaos' | head -1; exit ${PIPESTATUS[0]}",
                    ORBIZA_RENDER_PATH, dir.path / "old.png"});
    EXPECT_EQ(run.status, 141);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Lines(run.out).size(), 1u);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"old.png"});
    EXPECT_EQ(ReadWholeFile(dir.path / "old.png"), Earlier);
}

// Catches a signal, at first temporaries or with frames in flight, leaving temporaries or half files.
TEST(Interrupted, LeavesTheOldFilesNoTemporaryAndWholeFrames) {
    const struct { int signal, laterMs; } moments[] = {{SIGINT, 0}, {SIGTERM, 120}, {SIGHUP, 400}, {SIGINT, 900}};
    for (const auto& moment : moments) {
        SCOPED_TRACE(moment.laterMs);
        const ScratchDir dir, capture;
        for (const char* name : {"anim.webp", "anim.gif"}) WriteWholeFile(dir.path / name, Earlier);
        const std::string morph = ORBIZA_RENDER_PATH
            " --frames 2000 --speeds 0,3,0,5 --output @anim.webp "
            "--output @anim.gif --output @f-%04d.png --segments @s-%d.csv 22";
        const pid_t child = StartProgram(Words(morph, dir.path), "/dev/null", capture.path / "err");
        const auto started = [&] { return std::ranges::any_of(dir.Names(), [](auto& n) { return n[0] == '.'; }); };
        for (int wait = 0; wait < 5000 && !started(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(moment.laterMs));
        kill(child, moment.signal);
        EXPECT_EQ(WaitStatus(child), 128 + moment.signal);
        EXPECT_EQ(ReadWholeFile(capture.path / "err"), "orbiza-render: interrupted\n");
        for (const std::string& name : dir.Names()) {
            const std::string contents = ReadWholeFile(dir.path / name);
            if (name.starts_with("anim."))
                EXPECT_EQ(contents, Earlier) << name;
            else if (name.starts_with("f-"))
                EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(contents)).size(), QSize(565, 517)) << name;
            else
                EXPECT_TRUE(name.starts_with("s-") && contents.ends_with("\n") && contents.size() > 1000) << name;
        }
    }
}

}  // namespace
