#include "output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int MaxLinks = 40;  // as the kernel allows in one path

bool Fail(OutputFile& file, int code, const std::string& text = {}) {
    if (file.error.empty()) file.error = text.empty() ? std::strerror(code) : text, file.errorNumber = code;
    return false;
}

// A folder that lists a process's open descriptors: /proc/PID/fd or
// /proc/PID/task/TID/fd, as realpath gives them (/dev/fd and /proc/self/fd
// lead there too).
enum class Descriptors { None, Ours, Another };

Descriptors DescriptorFolder(std::string_view folder) {
    if (folder.size() <= 9 || !folder.starts_with("/proc/") || !folder.ends_with("/fd")) return Descriptors::None;
    const std::string_view middle = folder.substr(6, folder.size() - 9);  // PID or PID/task/TID
    const std::string_view pid = middle.substr(0, middle.find('/')), rest = middle.substr(pid.size());
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const bool thread = rest.starts_with("/task/") && rest.size() > 6 && rest.find('/', 6) == std::string_view::npos;
    if (pid.empty() || !std::all_of(pid.begin(), pid.end(), digit) || !(rest.empty() || thread))
        return Descriptors::None;
    return pid == std::to_string(getpid()) ? Descriptors::Ours : Descriptors::Another;
}

// Where a name finally leads: its folder with every link resolved, and the
// name in it, which is not a link.
struct Place {
    std::string folder, name;
    Descriptors descriptors = Descriptors::None;

    std::string Path() const { return folder + (folder == "/" ? "" : "/") + name; }
};

// Follows the links from `path`, each relative to its own folder. 0 or an
// errno; `missing` names the folder that does not exist, if that was it.
int Locate(std::string path, Place& place, std::string& missing) {
    for (int hop = 0; hop < MaxLinks; ++hop) {
        const std::size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        place.name = slash == std::string::npos ? path : path.substr(slash + 1);
        char* real = realpath(folder.c_str(), nullptr);
        if (!real) {
            if (errno == ENOENT) missing = folder;
            return errno;
        }
        place.folder = real;
        std::free(real);
        place.descriptors = DescriptorFolder(place.folder);
        if (place.descriptors != Descriptors::None) return 0;  // its entries are the descriptors, not links to follow
        char target[PATH_MAX];
        const ssize_t size = readlink(place.Path().c_str(), target, sizeof target);
        if (size < 0) return 0;  // not a link (or nothing there yet): this is the name
        if (size == sizeof target) return ENAMETOOLONG;
        path.assign(target, std::size_t(size));
        if (path[0] != '/') path = place.folder + "/" + path;
    }
    return ELOOP;
}

// Our own descriptor is duplicated, so the bytes go where the shell pointed
// it, with its offset and flags (after what `>` truncated, or at the end
// with `>>`). Another process's is opened afresh, added to if it is a file.
bool OpenDescriptor(OutputFile& file, const Place& place) {
    if (place.descriptors == Descriptors::Ours) {
        int number = -1;
        const char* end = place.name.data() + place.name.size();
        if (std::from_chars(place.name.data(), end, number).ptr != end || number < 0) return Fail(file, ENOENT);
        file.fd = fcntl(number, F_DUPFD_CLOEXEC, 0);
        return file.fd >= 0 || Fail(file, errno);
    }
    struct stat target {};
    const bool regular = stat(file.path.c_str(), &target) == 0 && S_ISREG(target.st_mode);
    file.fd = open(file.path.c_str(), O_WRONLY | O_CLOEXEC | (regular ? O_APPEND : 0));
    return file.fd >= 0 || Fail(file, errno);
}

// The bytes reach the disk before the name moves, so a crash cannot leave an
// empty file in place of the old one.
bool Flush(OutputFile& file) {
    if (file.fd < 0) return Fail(file, EBADF);
    if (!file.tempPath.empty() && fsync(file.fd) != 0 && errno != EINVAL && errno != ENOTSUP) Fail(file, errno);
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
    if (file.fd >= 0) close(file.fd);
    file.fd = -1;
    if (!file.tempPath.empty() && file.temporaries) RemoveTemporary(*file.temporaries, file.tempPath);
    file.tempPath.clear();
}

bool SaveBytes(const std::string& path, const std::string& bytes, TemporaryFiles& temporaries, std::string* error) {
    OutputFile file;
    if (OpenOutput(file, path, temporaries) && WriteOutput(file, bytes) && CommitOutput(file)) return true;
    if (error) *error = file.error;
    return false;
}
