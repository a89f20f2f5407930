#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

// A file being written so that nothing is lost on failure. A regular file (or
// a new name) is written to a temporary file beside it and renamed over it on
// Commit, so a failure leaves the old file as it was and no new file. Where
// the target exists and is not a regular file (a device, a pipe, a terminal,
// /dev/stdout), there is nothing to replace: the bytes go straight into it and
// a failed write is still reported. A stream (the program's standard output)
// is written into in the same way.
struct OutputFile {
    std::string path;
    std::string tempPath;  // empty when writing straight into the target
    std::string error;     // the first failure, empty while all is well
    int fd = -1;
    std::ostream* stream = nullptr;  // set instead of `fd` when writing into a stream

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();
};

bool OpenOutput(OutputFile& file, const std::string& path);
void OpenOutputStream(OutputFile& file, std::ostream& stream);
bool WriteOutput(OutputFile& file, const void* bytes, std::size_t size);
inline bool WriteOutput(OutputFile& file, const std::string& bytes) {
    return WriteOutput(file, bytes.data(), bytes.size());
}
// Closes the file and puts it in place; false (and `error`) when any write,
// the close or the rename failed. The temporary file is then removed.
bool CommitOutput(OutputFile& file);
// Whether what was written can be gone over again, read back and rewritten:
// only in a temporary file of our own.
inline bool CanRewrite(const OutputFile& file) { return file.fd >= 0 && !file.tempPath.empty(); }
// Moves the write position as lseek does; -1 on failure.
std::int64_t SeekOutput(OutputFile& file, std::int64_t offset, int whence);
// Reads back up to `size` bytes written at `offset`; the count, 0 at the end,
// -1 on failure. The write position stays.
long ReadBackOutput(OutputFile& file, std::int64_t offset, void* bytes, std::size_t size);
// The number of bytes in the file so far; -1 when it has no size.
std::int64_t OutputSize(const OutputFile& file);
// Drops what was written: the temporary file goes, the target stays as it was.
void CancelOutput(OutputFile& file);

// Open, write, commit in one step.
bool SaveBytes(const std::string& path, const std::string& bytes, std::string* error);
