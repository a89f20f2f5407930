#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

bool Fail(OutputFile& file, int code) {
    if (file.error.empty()) file.error = std::strerror(code);
    return false;
}

// /dev/stdout, /dev/fd/N and /proc/self/fd/N name an open descriptor, even
// when it leads to a regular file: replacing that file would cut the reader off.
bool NamesADescriptor(const std::string& path) { return path.starts_with("/dev/") || path.starts_with("/proc/"); }

std::string TemporaryName(const std::string& path, std::mt19937_64& bits) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".part-" + std::to_string(bits() % 100000000000ull);
}

bool OpenTemporary(OutputFile& file, const std::string& path, const struct stat* existing) {
    std::mt19937_64 bits{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.tempPath = TemporaryName(path, bits);
        // Read and write: a writer may read back what it wrote and move it.
        file.fd = open(file.tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);  // umask applies
        if (file.fd >= 0) break;
        if (errno != EEXIST) {
            file.tempPath.clear();
            return Fail(file, errno);
        }
    }
    if (file.fd < 0) return Fail(file, EEXIST);
    if (existing) fchmod(file.fd, existing->st_mode & 07777);  // a replaced file keeps its permissions
    return true;
}

// A link's target is what gets replaced: renaming over the link itself would
// turn it into a file of its own and leave the file it pointed to as it was.
std::string ThroughLinks(const std::string& path) {
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved) return path;  // a dangling link: the new file takes its place
    std::string target = resolved;
    free(resolved);
    return target;
}

}  // namespace

OutputFile::~OutputFile() { CancelOutput(*this); }

bool OpenOutput(OutputFile& file, const std::string& path) {
    CancelOutput(file);
    file.path = NamesADescriptor(path) ? path : ThroughLinks(path);
    file.error.clear();
    struct stat target {};
    const bool exists = stat(path.c_str(), &target) == 0;
    if ((exists && !S_ISREG(target.st_mode)) || (exists && NamesADescriptor(path))) {
        if (S_ISDIR(target.st_mode)) return Fail(file, EISDIR);
        // A descriptor's regular file is added to, as the shell opened it (> or >>).
        file.fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | (S_ISREG(target.st_mode) ? O_APPEND : 0));
        return file.fd >= 0 || Fail(file, errno);
    }
    return OpenTemporary(file, file.path, exists ? &target : nullptr);
}

void OpenOutputStream(OutputFile& file, std::ostream& stream) {
    CancelOutput(file);
    file.path.clear();
    file.error.clear();
    file.stream = &stream;
}

bool WriteOutput(OutputFile& file, const void* bytes, std::size_t size) {
    if (file.stream) {
        if (file.stream->write(static_cast<const char*>(bytes), std::streamsize(size))) return true;
        if (file.error.empty()) file.error = "the write failed";
        return false;
    }
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
    if (file.stream) {
        const bool flushed = bool(file.stream->flush());
        file.stream = nullptr;
        if (!flushed && file.error.empty()) file.error = "the write failed";
        return flushed && file.error.empty();
    }
    if (file.fd < 0) return Fail(file, EBADF);
    // The bytes reach the disk before the name moves, so a crash cannot leave
    // an empty file in place of the old one.
    if (!file.tempPath.empty() && fsync(file.fd) != 0 && errno != EINVAL && errno != ENOTSUP) Fail(file, errno);
    const int closed = close(file.fd);
    file.fd = -1;
    if (closed != 0) Fail(file, errno);
    if (file.error.empty() && !file.tempPath.empty() && rename(file.tempPath.c_str(), file.path.c_str()) != 0)
        Fail(file, errno);
    if (!file.error.empty()) {
        CancelOutput(file);
        return false;
    }
    file.tempPath.clear();
    return true;
}

void CancelOutput(OutputFile& file) {
    file.stream = nullptr;  // what went into a stream cannot be taken back
    if (file.fd >= 0) close(file.fd);
    file.fd = -1;
    if (!file.tempPath.empty()) unlink(file.tempPath.c_str());
    file.tempPath.clear();
}

bool SaveBytes(const std::string& path, const std::string& bytes, std::string* error) {
    OutputFile file;
    if (OpenOutput(file, path) && WriteOutput(file, bytes) && CommitOutput(file)) return true;
    if (error) *error = file.error;
    return false;
}
