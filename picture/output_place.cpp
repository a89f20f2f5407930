#include "output_place.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string_view>

namespace {

constexpr int MaxLinks = 40;  // as the kernel allows in one path

// /proc/PID/fd or /proc/PID/task/TID/fd, as realpath gives them (/dev/fd
// and /proc/self/fd lead there too).
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

Destination Found(const struct stat& info) {
    return {"#" + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino),
            S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR), 0};
}

}  // namespace

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

int OwnDescriptor(const Place& place) {
    int number = -1;
    const char* end = place.name.data() + place.name.size();
    if (place.descriptors != Descriptors::Ours || std::from_chars(place.name.data(), end, number).ptr != end) return -1;
    return number;
}

Destination FindDestination(const std::string& path) {
    Place place;
    std::string missing;
    if (const int code = Locate(path, place, missing); code != 0) return {path, false, code};
    if (place.descriptors == Descriptors::Ours) return DescriptorDestination(OwnDescriptor(place));
    struct stat info {};
    if (stat(place.Path().c_str(), &info) == 0) return Found(info);
    return {place.Path(), false, 0};
}

Destination DescriptorDestination(int fd) {
    struct stat info {};
    if (fd >= 0 && fstat(fd, &info) == 0) return Found(info);
    return {"/proc/self/fd/" + std::to_string(fd), false, EBADF};
}
