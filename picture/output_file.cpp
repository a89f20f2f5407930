#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

bool Fail(OutputFile& file, int code, const std::string& text = {}) {
    if (file.error.empty()) file.error = text.empty() ? std::strerror(code) : text, file.errorNumber = code;
    return false;
}

// Our own descriptor is duplicated, so the bytes go where the shell pointed
// it, with its offset and flags (after what `>` truncated, or at the end
// with `>>`). Another process's is opened afresh, added to if it is a file.
bool OpenDescriptor(OutputFile& file, const Place& place) {
    if (place.descriptors == Descriptors::Ours) {
        const int number = OwnDescriptor(place);
        if (number < 0) return Fail(file, ENOENT);
        file.fd = fcntl(number, F_DUPFD_CLOEXEC, 0);
        return file.fd >= 0 || Fail(file, errno);
    }
    struct stat target {};
    const bool regular = stat(file.path.c_str(), &target) == 0 && S_ISREG(target.st_mode);
    file.fd = open(file.path.c_str(), O_WRONLY | O_CLOEXEC | (regular ? O_APPEND : 0));
    return file.fd >= 0 || Fail(file, errno);
}

// The bytes reach the disk before the name moves, so a crash cannot leave an
// empty file in place of the old one. An unnamed file gets its temporary
// name here, just before the rename: only these few calls are a window in
// which a killed run leaves a file behind.
bool Flush(OutputFile& file) {
    if (file.fd < 0) return Fail(file, EBADF);
    if (CanRewrite(file) && fsync(file.fd) != 0 && errno != EINVAL && errno != ENOTSUP) Fail(file, errno);
    if (file.unnamed && file.error.empty()) {
        const std::size_t slash = file.path.rfind('/');
        const std::string folder = slash == 0 ? "/" : file.path.substr(0, slash);
        if (NameTemporary(*file.temporaries, file.fd, folder, file.path.substr(slash + 1), file.tempPath) != 0)
            Fail(file, errno);
    }
    file.unnamed = false;
    if (close(file.fd) != 0) Fail(file, errno);
    file.fd = -1;
    return file.error.empty();
}

}  // namespace

OutputFile::~OutputFile() { CancelOutput(*this); }

bool OpenOutput(OutputFile& file, const std::string& path, TemporaryFiles& temporaries) {
    CancelOutput(file);
    file.error.clear();
    file.errorNumber = 0;
    file.temporaries = &temporaries;
    Place place;
    std::string missing;
    if (const int code = Locate(path, place, missing); code != 0)
        return Fail(file, code, missing.empty() ? "" : "the folder \"" + missing + "\" does not exist");
    file.path = place.Path();
    if (place.descriptors != Descriptors::None) return OpenDescriptor(file, place);
    struct stat target {};
    const bool exists = stat(file.path.c_str(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode)) return Fail(file, EISDIR);
    if (exists && !S_ISREG(target.st_mode)) {  // a device, a pipe, a socket: nothing to replace
        file.fd = open(file.path.c_str(), O_WRONLY | O_CLOEXEC);
        return file.fd >= 0 || Fail(file, errno);
    }
    file.fd = CreateTemporary(temporaries, place.folder, place.name, file.tempPath);
    if (file.fd < 0) return Fail(file, errno);
    file.unnamed = file.tempPath.empty();
    if (exists) fchmod(file.fd, target.st_mode & 07777);  // a replaced file keeps its permissions
    return true;
}

bool OpenStandardOutput(OutputFile& file) {
    CancelOutput(file);
    file.error.clear();
    file.errorNumber = 0;
    file.fd = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    return file.fd >= 0 || Fail(file, errno);
}

bool WriteOutput(OutputFile& file, const void* bytes, std::size_t size) {
    if (file.fd < 0) return Fail(file, EBADF);
    const char* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t written = write(file.fd, at, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return Fail(file, written < 0 ? errno : EIO);
        at += written;
        size -= size_t(written);
    }
    return true;
}

std::int64_t SeekOutput(OutputFile& file, std::int64_t offset, int whence) {
    const off_t at = file.fd < 0 ? off_t(-1) : lseek(file.fd, off_t(offset), whence);
    if (at < 0) Fail(file, file.fd < 0 ? EBADF : errno);
    return at;
}

long ReadBackOutput(OutputFile& file, std::int64_t offset, void* bytes, std::size_t size) {
    if (file.fd < 0) return Fail(file, EBADF), -1;
    ssize_t got = 0;
    do got = pread(file.fd, bytes, size, off_t(offset));
    while (got < 0 && errno == EINTR);
    if (got < 0) Fail(file, errno);
    return long(got);
}

std::int64_t OutputSize(const OutputFile& file) {
    struct stat info {};
    if (file.fd < 0 || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return info.st_size;
}

bool CommitOutput(OutputFile& file) {
    OutputFile* const one[] = {&file};
    return CommitOutputs(one);
}

bool CommitOutputs(std::span<OutputFile* const> files) {
    bool flushed = true;
    for (OutputFile* file : files) flushed = Flush(*file) && flushed;
    std::vector<OutputFile*> movers;
    std::vector<std::pair<std::string, std::string>> moves;
    for (OutputFile* file : files)
        if (!file->tempPath.empty()) movers.push_back(file), moves.emplace_back(file->tempPath, file->path);
    if (flushed && !movers.empty()) {
        const int failed = RenameTemporaries(*movers[0]->temporaries, moves);
        const int code = errno;
        for (std::size_t i = 0; i < (failed < 0 ? movers.size() : std::size_t(failed)); ++i)
            movers[i]->tempPath.clear();
        if (failed >= 0) Fail(*movers[std::size_t(failed)], code);
    }
    bool committed = true;
    for (OutputFile* file : files) {
        committed = committed && file->error.empty();
        CancelOutput(*file);  // what was not put in place goes
    }
    return committed;
}

void CancelOutput(OutputFile& file) {
    if (file.fd >= 0) close(file.fd);  // an unnamed file goes with its last descriptor
    file.fd = -1;
    file.unnamed = false;
    if (!file.tempPath.empty() && file.temporaries) RemoveTemporary(*file.temporaries, file.tempPath);
    file.tempPath.clear();
}

bool SaveBytes(const std::string& path, const std::string& bytes, TemporaryFiles& temporaries, std::string* error) {
    OutputFile file;
    if (OpenOutput(file, path, temporaries) && WriteOutput(file, bytes) && CommitOutput(file)) return true;
    if (error) *error = file.error;
    return false;
}
