#pragma once

// Test support: run the built orbiza-render as a user would and collect what it says.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline const std::string Earlier = "the earlier file\n";

struct RunResult {
    int status = -1;  // exit status, or 128 + the signal that ended it
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

// Starts a program (on the PATH or by its path), output and errors to the files named;
// fileSizeLimit > 0 caps every file it writes at that many bytes.
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

// Runs a program and collects what it says. A program ended by a signal gets
// 128 + its number, as a shell reports it.
inline RunResult RunProgram(const std::vector<std::string>& argv, long fileSizeLimit = 0) {
    const ScratchDir capture;
    const std::string outPath = capture.path / "stdout", errPath = capture.path / "stderr";
    const pid_t child = StartProgram(argv, outPath, errPath, fileSizeLimit);
    int wstatus = 0;
    waitpid(child, &wstatus, 0);
    return {WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus), ReadWholeFile(outPath),
            ReadWholeFile(errPath)};
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

// A command line's words, split at spaces (for words that hold none); a word
// "@name" stands for that name in `folder`.
inline std::vector<std::string> Words(const std::string& text, const std::filesystem::path& folder = {}) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word[0] == '@' ? (folder / word.substr(1)).string() : word);
    return words;
}
