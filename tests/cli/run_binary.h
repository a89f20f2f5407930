#pragma once

// Test support: run orbiza-render as a user would, and draw what the window shows to hold its files against.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue.h"
#include "render_job.h"

inline const std::string Earlier = "the earlier file\n";

struct RunResult {
    int status = -1;  // exit status, or minus the signal that ended it
    std::string out, err;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteWholeFile(const std::filesystem::path& p, const std::string& bytes) { std::ofstream(p) << bytes; }

// A fresh directory removed again when the object goes.
struct ScratchDir {
    std::filesystem::path path;
    ScratchDir() {
        std::string name = (std::filesystem::temp_directory_path() / "orbiza-cli-XXXXXX").string();
        path = mkdtemp(name.data());
    }
    ~ScratchDir() { std::filesystem::remove_all(path); }
    ScratchDir(const ScratchDir&) = delete;
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path)) names.push_back(entry.path().filename());
        return names;
    }
};

// Starts a program, output and errors to the files named; fileSizeLimit > 0 caps each file it writes.
inline pid_t StartProgram(std::vector<std::string> argv, const std::string& outPath, const std::string& errPath,
                          long fileSizeLimit = 0) {
    std::vector<char*> cargv;
    for (std::string& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        if (fileSizeLimit > 0) {
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        execvp(cargv[0], cargv.data());
        _exit(127);
    }
    return child;
}

// Waits for a child: its exit status, or minus the signal that ended it (never taken for an exit code).
inline int WaitStatus(pid_t child) {
    int wstatus = 0;
    waitpid(child, &wstatus, 0);
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -WTERMSIG(wstatus);
}

// Runs a program and collects what it says.
inline RunResult RunProgram(const std::vector<std::string>& argv, long fileSizeLimit = 0) {
    const ScratchDir capture;
    const std::string outPath = capture.path / "stdout", errPath = capture.path / "stderr";
    const int status = WaitStatus(StartProgram(argv, outPath, errPath, fileSizeLimit));
    return {status, ReadWholeFile(outPath), ReadWholeFile(errPath)};
}

inline RunResult RunBinary(const std::vector<std::string>& args, long fileSizeLimit = 0) {
    std::vector<std::string> argv{ORBIZA_RENDER_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, fileSizeLimit);
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A command line's words, split at spaces; a word "@name" stands for that name in `folder`.
inline std::vector<std::string> Words(const std::string& text, const std::filesystem::path& folder = {}) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word[0] == '@' ? (folder / word.substr(1)).string() : word);
    return words;
}

inline const std::vector<std::string> TestView{"--axes", "--angles", "0.4,0.6,0.2", "--time",
                                               "1.3",    "--speeds", "3,5,-2,10"};

// The window's pictures, the first and one after each timer tick, and the segments of each.
struct Drawn {
    std::vector<QImage> frames;
    std::vector<SegmentLog> logs;
};

inline Drawn WindowFrames(const std::string& structure, int count, double scale = 1,
                          const std::function<void(Scene&)>& redraw = RedrawScene) {
    Drawn drawn;
    Canvas surface(scale);
    Scene scene;
    AttachCanvases(scene.tools, &surface);
    scene.showAxis = true;
    scene.view = {0.4f, 0.6f, 0.2f, 1.3f, std::int16_t(FindStructure(structure).value_or(0))};
    for (int k = 0; k < count; ++k) {
        if (k > 0) ApplyTimerTick(scene.view, {3, 5, -2, 10});
        scene.tools.log = &drawn.logs.emplace_back();
        Clear(surface);
        redraw(scene);
        drawn.frames.emplace_back(surface.width, surface.height, QImage::Format_RGB32);
        std::memcpy(drawn.frames.back().bits(), surface.pixels.data(), surface.pixels.size() * 4);
    }
    return drawn;
}

// RunRender in this process with `redraw` for the window's: the status and what it said.
inline std::pair<int, std::string> RenderInProcess(const RenderOptions& options, void (*redraw)(Scene&)) {
    std::ostringstream err;
    TemporaryFiles temporaries;
    const int status = RunRender(options, temporaries, err, redraw);
    return {status, err.str()};
}
