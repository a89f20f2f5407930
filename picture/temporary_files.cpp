#include "temporary_files.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace {

constexpr int NameAttempts = 100;
constexpr std::size_t KeptNameBytes = 200;  // room for ".part-" and the number within a 255-byte name

sigset_t EndingSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, signal);
    return set;
}

[[noreturn]] void EndRun(TemporaryFiles& temporaries, const std::string& message, int signal) {
    temporaries.mutex.lock();  // kept to the end: nothing is created or renamed any more
    for (const std::string& path : temporaries.paths) unlink(path.c_str());
    if (!message.empty() && write(STDERR_FILENO, message.data(), message.size()) < 0) {
        // nothing more can be said
    }
    _exit(128 + signal);
}

void Watch(SignalWatch& watch, TemporaryFiles& temporaries, const std::string& message) {
    const sigset_t set = EndingSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) continue;
        if (watch.stopping) return;
        EndRun(temporaries, message, signal);
    }
}

std::string DescriptorPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// A file with no name in `folder`, or -1. Only where it can be named later:
// linkat through /proc needs no privilege, unlike linkat with AT_EMPTY_PATH,
// so a system without /proc gets named files.
int CreateUnnamed(const std::string& folder) {
    const int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);  // a writer may read back
    if (fd < 0 || access(DescriptorPath(fd).c_str(), F_OK) == 0) return fd;
    close(fd);
    return -1;
}

// Makes a new name beside the target with `make` (a result >= 0 is done,
// -1 with EEXIST a name taken) and records it: make's result, or -1.
template <typename Make>
int MakeName(TemporaryFiles& temporaries, const std::string& name, const std::string& folder, std::string& path,
             const Make& make) {
    const std::lock_guard lock(temporaries.mutex);
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string candidate = TemporaryName(folder, name, temporaries.bits);
        const int made = make(candidate);
        if (made >= 0) {
            temporaries.paths.push_back(candidate);
            path = candidate;
            return made;
        }
        if (errno != EEXIST) return -1;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

std::string TemporaryName(const std::string& folder, const std::string& name, std::mt19937_64& bits) {
    return folder + (folder.ends_with('/') ? "." : "/.") + name.substr(0, KeptNameBytes) + ".part-" +
           std::to_string(bits() % 100000000000ull);
}

int CreateTemporary(TemporaryFiles& temporaries, const std::string& folder, const std::string& name,
                    std::string& path) {
    path.clear();
    if (const int fd = temporaries.unnamed ? CreateUnnamed(folder) : -1; fd >= 0) return fd;
    return MakeName(temporaries, name, folder, path, [](const std::string& candidate) {
        return open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);  // umask applies
    });
}

int NameTemporary(TemporaryFiles& temporaries, int fd, const std::string& folder, const std::string& name,
                  std::string& path) {
    const std::string self = DescriptorPath(fd);
    const int made = MakeName(temporaries, name, folder, path, [&self](const std::string& candidate) {
        return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW);
    });
    return made < 0 ? -1 : 0;
}

void RemoveTemporary(TemporaryFiles& temporaries, const std::string& path) {
    const std::lock_guard lock(temporaries.mutex);
    const auto ours = std::find(temporaries.paths.begin(), temporaries.paths.end(), path);
    if (ours == temporaries.paths.end()) return;
    unlink(path.c_str());
    temporaries.paths.erase(ours);
}

int RenameTemporaries(TemporaryFiles& temporaries, const std::vector<std::pair<std::string, std::string>>& moves) {
    const std::lock_guard lock(temporaries.mutex);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const auto& [from, to] = moves[i];
        if (rename(from.c_str(), to.c_str()) != 0) return int(i);
        std::erase(temporaries.paths, from);
    }
    return -1;
}

SignalWatch::~SignalWatch() {
    if (!thread.joinable()) return;
    stopping = true;
    pthread_kill(thread.native_handle(), SIGHUP);  // wakes the wait; the flag says it is ours
    thread.join();
}

void BlockEndingSignals() {
    const sigset_t set = EndingSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void StartSignalWatch(SignalWatch& watch, TemporaryFiles& temporaries, std::string message) {
    BlockEndingSignals();
    watch.thread =
        std::thread([&watch, &temporaries, message = std::move(message)] { Watch(watch, temporaries, message); });
}
