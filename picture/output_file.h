#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "output_place.h"
#include "temporary_files.h"

// A file being written so that nothing is lost on failure. What happens is
// decided by what the target is, never by how its name is spelt:
// - a name of an open descriptor (/dev/stdout, /dev/fd/N, /proc/self/fd/N,
//   /proc/PID/fd/N, however reached) is written into as it was opened;
// - a target that exists and is not a regular file (a device, a pipe, a
//   socket, a terminal) is written into;
// - anything else is written to a temporary file in the target's folder and
//   renamed over it on Commit, so a failure leaves the old file as it was and
//   no new file. The temporary file has no name until the commit where the
//   file system allows it, so not even a killed process leaves it behind.
//   Links are followed to the name they give: a link to a missing file gets
//   that file, in that file's folder, and stays a link.
// Either way a failed write is reported.
struct OutputFile {
    std::string path;      // where the bytes end up: the target, its links followed
    std::string tempPath;  // our named temporary; empty when unnamed or writing straight into the target
    bool unnamed = false;  // our temporary, not yet named
    std::string error;     // the first failure, empty while all is well
    int errorNumber = 0;   // its errno, when it had one
    int fd = -1;
    TemporaryFiles* temporaries = nullptr;

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();
};

bool OpenOutput(OutputFile& file, const std::string& path, TemporaryFiles& temporaries);
// The program's standard output, as the shell opened it.
bool OpenStandardOutput(OutputFile& file);
bool WriteOutput(OutputFile& file, const void* bytes, std::size_t size);
inline bool WriteOutput(OutputFile& file, const std::string& bytes) {
    return WriteOutput(file, bytes.data(), bytes.size());
}
// Closes the file and puts it in place; false (and `error`) when any write,
// the close or the rename failed. The temporary file is then removed.
bool CommitOutput(OutputFile& file);
// Whether what was written can be gone over again, read back and rewritten:
// only in a temporary file of our own.
inline bool CanRewrite(const OutputFile& file) { return file.fd >= 0 && (file.unnamed || !file.tempPath.empty()); }
// Moves the write position as lseek does; -1 on failure.
std::int64_t SeekOutput(OutputFile& file, std::int64_t offset, int whence);
// Reads back up to `size` bytes written at `offset`; the count, 0 at the end,
// -1 on failure. The write position stays.
long ReadBackOutput(OutputFile& file, std::int64_t offset, void* bytes, std::size_t size);
// The number of bytes in the file so far; -1 when it has no size.
std::int64_t OutputSize(const OutputFile& file);
// The same for several files of one registry: every file is flushed first,
// then all are renamed together (a signal cannot fall between the renames).
// After a failure none is put in place, unless a rename itself failed.
bool CommitOutputs(std::span<OutputFile* const> files);
// Drops what was written: the temporary file goes, the target stays as it was.
void CancelOutput(OutputFile& file);

// Open, write, commit in one step.
bool SaveBytes(const std::string& path, const std::string& bytes, TemporaryFiles& temporaries, std::string* error);
