#pragma once

#include <cstddef>
#include <string>

// A file being written so that nothing is lost on failure. A regular file (or
// a new name) is written to a temporary file beside it and renamed over it on
// Commit, so a failure leaves the old file as it was and no new file. Where
// the target exists and is not a regular file (a device, a pipe, a terminal,
// /dev/stdout), there is nothing to replace: the bytes go straight into it and
// a failed write is still reported.
struct OutputFile {
    std::string path;
    std::string tempPath;  // empty when writing straight into the target
    std::string error;     // the first failure, empty while all is well
    int fd = -1;

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();
};

bool OpenOutput(OutputFile& file, const std::string& path);
bool WriteOutput(OutputFile& file, const void* bytes, std::size_t size);
inline bool WriteOutput(OutputFile& file, const std::string& bytes) {
    return WriteOutput(file, bytes.data(), bytes.size());
}
// Closes the file and puts it in place; false (and `error`) when any write,
// the close or the rename failed. The temporary file is then removed.
bool CommitOutput(OutputFile& file);
// Drops what was written: the temporary file goes, the target stays as it was.
void CancelOutput(OutputFile& file);

// Open, write, commit in one step.
bool SaveBytes(const std::string& path, const std::string& bytes, std::string* error);
