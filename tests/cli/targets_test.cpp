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
const TargetCase Targets[] = {
    {"a file in /dev/shm",
     "S=$(mktemp -d /dev/shm/orbiza-XXXXXX); cp -p $D/kept $S; $R --segments $S/kept Cube && "
     "$R --segments $S/kept Cube; s=$?; cp -p $S/kept $D; rm -r $S; exit $s",
     {{"kept", "@"}}},
    {"a file through /proc/self/cwd",
     "cd $D && $R --segments /proc/self/cwd/kept Cube && $R --segments /proc/self/cwd/kept Cube",
     {{"kept", "@"}}},
    {"a link to a file", "ln -s kept $D/link; $R --segments $D/link Cube", {{"kept", "@"}, {"link", "->kept"}}},
    {"dangling links",
     "mkdir $D/sub; ln -s x $D/sub/new; ln -s sub/new $D/link; rm $D/kept; "
     "$R --segments $D/link Cube && mv $D/sub/x $D/made",
     {{"link", "->sub/new"}, {"sub", "(other)"}, {"made", "@"}}},
    {"a dangling link into no folder",
     "ln -s nowhere/x $D/link; said=$($R --segments $D/link Cube 2>&1); s=$?; "
     "[[ $said == *'/nowhere\" does not exist' ]] || s=9; exit $s",
     {{"kept", Earlier}, {"link", "->nowhere/x"}},
     1},
    {"a named pipe",
     "mkfifo $D/pipe; cat $D/pipe > $D/got & $R --segments $D/pipe Cube; wait",
     {{"kept", Earlier}, {"pipe", "(other)"}, {"got", "@"}}},
    {"a named pipe taking a video",
     "mkfifo $D/pipe; cat $D/pipe > $D/got & $R --format mp4 --output $D/pipe Cube; wait; "
     "$R --format mp4 --output - Cube | cmp -s - $D/got && rm $D/got",
     {{"kept", Earlier}, {"pipe", "(other)"}}},
    {"the full device",
     "$R --segments /dev/full Cube 2>$D/said; s=$?; [[ -c /dev/full ]] && "
     "grep -q '\"/dev/full\": ' $D/said && rm $D/said; exit $s",
     {{"kept", Earlier}},
     1},
    {"a named pipe whose reader leaves",
     "mkfifo $D/pipe; head -c1 $D/pipe >/dev/null & $R --segments $D/pipe 'Rossler Chaos' 2>/dev/null; "
     "s=$?; wait; exit $s",
     {{"kept", Earlier}, {"pipe", "(other)"}},
     1},
    {"descriptor names",
     "exec 3>>$D/kept; $R --segments /dev/fd/3 Cube && $R --segments /proc/self/fd/3 Cube",
     {{"kept", Earlier + "@@"}}},
    {"a name with a percent sign", "rm $D/kept; $R --segments $D/100%%.csv Cube", {{"100%.csv", "@"}}},
    {"several segment lists",
     "$R --segments $D/a.csv --segments $D/b.csv Cube",
     {{"kept", Earlier}, {"a.csv", "@"}, {"b.csv", "@"}}},
    {"several segment lists, the first unwritable",
     "mkdir $D/d; $R --segments $D/d --segments $D/b.csv Cube",
     {{"kept", Earlier}, {"d", "(other)"}},
     1},
    {"a write-protected file, root or not",
     "chmod 444 $D/kept; $R --output $D/new.png --segments $D/kept Cube 2>$D/said; s=$?; "
     "chmod 640 $D/kept; [[ $(<$D/said) == \"orbiza-render: \\\"$D/kept\\\" is write-protected\" ]] && "
     "rm $D/said; exit $s",
     {{"kept", Earlier}},
     1},
    {"a write-protected frame file through a link",
     "chmod 400 $D/kept; ln -s kept $D/f-1; $R --frames 2 --segments $D/f-%d Cube; s=$?; "
     "chmod 640 $D/kept; exit $s",
     {{"kept", Earlier}, {"f-1", "->kept"}},
     1}};
INSTANTIATE_TEST_SUITE_P(Table, AwkwardTarget, testing::ValuesIn(Targets));

// bash `script` ($0 renderer) names one place twice, among kept, k2 -> kept, link -> sub/new, descriptor 3 on kept.
class OnePlaceTwice : public testing::TestWithParam<std::string> {};

TEST_P(OnePlaceTwice, IsAUsageErrorAndWritesNothing) {
    const ScratchDir dir;
    WriteWholeFile(dir.path / "kept", Earlier);
    const std::string setUp = "cd $1 && mkdir sub && ln -s sub/new link && ln -s kept k2 && exec 3>>kept && ";
    const RunResult run = RunProgram({"bash", "-c", setUp + GetParam() + " >out", ORBIZA_RENDER_PATH, dir.path});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("reach the same place"), std::string::npos) << run.err;
    EXPECT_EQ(ReadWholeFile(dir.path / "kept") + ReadWholeFile(dir.path / "out"), Earlier);
    EXPECT_EQ(dir.Names().size(), 5u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path / "sub"));
}

// Catches two outputs written to one place, one after the other or both at once, because their names differ.
INSTANTIATE_TEST_SUITE_P(Table, OnePlaceTwice,
                         testing::Values("$0 --output x.png --output ./x.png Cube",
                                         "$0 --segments kept --segments ../${PWD##*/}/kept Cube",
                                         "$0 --segments k2 --segments kept Cube",
                                         "$0 --segments link --segments sub/new Cube",
                                         "$0 --format png --output /dev/stdout --output - Cube",
                                         "$0 --segments /dev/fd/1 --segments /proc/self/fd/1 Cube",
                                         "$0 --segments /dev/fd/3 --segments kept Cube",
                                         "$0 --frames 3 --output f%d.png --output f%d.gif --output ./f%1d.png Cube",
                                         "$0 --frames 3 --output 100%%-%d.gif --output 100%%-1.gif Cube"));

// Catches removing, after 100 names found taken, the last one tried as if it were ours.
TEST(Temporaries, TakenNamesStayTheirOwners) {
    const ScratchDir dir;
    const std::string folder = std::filesystem::canonical(dir.path);
    TemporaryFiles temporaries;
    temporaries.unnamed = false;  // as where the file system makes no unnamed files
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

// Catches a file that has a name before its commit, or one that loses its permissions or its reading back.
TEST(Temporaries, AreUnnamedUntilTheCommitOrNamedWhereTheyMustBe) {
    for (const bool unnamed : {true, false}) {
        const ScratchDir dir;
        WriteWholeFile(dir.path / "x.csv", Earlier);
        chmod((dir.path / "x.csv").c_str(), 0604);
        TemporaryFiles temporaries;
        temporaries.unnamed = unnamed;
        OutputFile file;
        ASSERT_TRUE(OpenOutput(file, dir.path / "x.csv", temporaries) && WriteOutput(file, "new"));
        char back[3];
        EXPECT_EQ(ReadBackOutput(file, 0, back, 3), 3) << "read back";
        EXPECT_EQ(dir.Names().size(), unnamed ? 1u : 2u) << unnamed;
        EXPECT_TRUE(CommitOutput(file));
        struct stat made {};
        stat((dir.path / "x.csv").c_str(), &made);
        EXPECT_EQ(std::pair(ReadWholeFile(dir.path / "x.csv"), made.st_mode & 07777),
                  std::pair(std::string("new"), 0604u));
        EXPECT_EQ(dir.Names().size(), 1u);
    }
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

// Waits until `child` holds a file in `folder` open (named or not): it has begun writing there.
void AwaitWriting(pid_t child, const std::filesystem::path& folder) {
    const std::string fds = "/proc/" + std::to_string(child) + "/fd", prefix = folder.string() + "/";
    const auto writing = [&] {
        std::error_code error;
        for (const auto& fd : std::filesystem::directory_iterator(fds, error))
            if (std::filesystem::read_symlink(fd.path(), error).string().starts_with(prefix)) return true;
        return false;
    };
    for (int wait = 0; wait < 5000 && !writing(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// Catches a signal or kill -9 (a crash, the out-of-memory killer), at first temporaries or with frames in flight,
// leaving an old file replaced, a new one, a temporary or half a frame.
TEST(Ended, LeavesTheOldFilesNoNewOneAndWholeFrames) {
    const struct {
        int signal, laterMs;
    } moments[] = {{SIGINT, 0},   {SIGKILL, 0},   {SIGTERM, 120}, {SIGKILL, 150},
                   {SIGHUP, 400}, {SIGKILL, 600}, {SIGINT, 900},  {SIGKILL, 1500}};
    for (const auto& [signal, laterMs] : moments) {
        SCOPED_TRACE(testing::Message() << "signal " << signal << " after " << laterMs << " ms");
        const ScratchDir dir, capture;
        for (const char* name : {"anim.webp", "anim.gif"}) WriteWholeFile(dir.path / name, Earlier);
        const std::string morph = ORBIZA_RENDER_PATH
            " --scale 2 --frames 2000 --speeds 0,3,0,5 --output @anim.webp --output @anim.gif --output @new.mp4 "
            "--output @f-%04d.png --segments @s-%d.csv 22";
        const pid_t child = StartProgram(Words(morph, dir.path), "/dev/null", capture.path / "err");
        AwaitWriting(child, dir.path);
        std::this_thread::sleep_for(std::chrono::milliseconds(laterMs));
        kill(child, signal);
        EXPECT_EQ(WaitStatus(child), signal == SIGKILL ? -SIGKILL : 128 + signal);
        EXPECT_EQ(ReadWholeFile(capture.path / "err"), signal == SIGKILL ? "" : "orbiza-render: interrupted\n");
        for (const std::string& name : dir.Names()) {
            const std::string contents = ReadWholeFile(dir.path / name);
            if (name.starts_with("anim."))
                EXPECT_EQ(contents, Earlier) << name;
            else if (name.starts_with("f-"))
                EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(contents)).size(), QSize(1130, 1034)) << name;
            else
                EXPECT_TRUE(name.starts_with("s-") && contents.ends_with("\n") && contents.size() > 1000) << name;
        }
    }
}

}  // namespace
