#pragma once

#include <atomic>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

// The temporary files this process made and has not yet renamed or removed.
// Where the file system allows it a file begins without a name (O_TMPFILE),
// so that nothing is left of it however the process ends, and gets one only
// at its commit. A name enters only after open(O_CREAT | O_EXCL) or link()
// made it, under the lock, and leaves under the lock when the file is renamed
// or removed: so whoever holds the lock sees exactly the files that are ours,
// and removing them can never touch a file someone else made.
struct TemporaryFiles {
    std::mutex mutex;
    std::vector<std::string> paths;
    std::mt19937_64 bits{std::random_device{}()};  // the random part of new names
    bool unnamed = true;                           // false: always named files, as where O_TMPFILE is refused
};

// The name of a temporary beside `target` (a folder and a file name): hidden,
// with a random number drawn from `bits`.
std::string TemporaryName(const std::string& folder, const std::string& name, std::mt19937_64& bits);

// Makes a new temporary file beside the target: the open descriptor, or -1
// with errno set. An unnamed file leaves `path` empty; a named one is
// recorded. Gives up after 100 names that are taken.
int CreateTemporary(TemporaryFiles& temporaries, const std::string& folder, const std::string& name, std::string& path);

// Gives the unnamed file open as `fd` a temporary name beside the target and
// records it; 0, or -1 with errno set.
int NameTemporary(TemporaryFiles& temporaries, int fd, const std::string& folder, const std::string& name,
                  std::string& path);

// Removes one of our temporaries (nothing when `path` is not one of them).
void RemoveTemporary(TemporaryFiles& temporaries, const std::string& path);

// Renames temporaries over their targets, all under one hold of the lock, so
// that a signal finds either none or all of them in place. Stops at the
// first rename that fails: its index, or -1 when all went, with errno set.
int RenameTemporaries(TemporaryFiles& temporaries, const std::vector<std::pair<std::string, std::string>>& moves);

// Ending a run from outside: SIGINT, SIGTERM and SIGHUP are taken by one
// thread that waits for them (sigwait), never by a handler. In that thread
// the cleanup runs as ordinary code, under the same lock as the creations
// and renames, so no file can appear or move while it runs, and nothing
// process-wide is needed to reach the run's temporaries.
struct SignalWatch {
    std::thread thread;
    std::atomic<bool> stopping = false;

    SignalWatch() = default;
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;
    ~SignalWatch();
};

// Blocks the three signals in the calling thread and so in every thread it
// starts later. Call it before any thread is started (Qt's included).
void BlockEndingSignals();

// Starts the waiting thread. On a signal it removes every temporary, writes
// `message` (if any) to standard error and exits with 128 + the signal's number.
void StartSignalWatch(SignalWatch& watch, TemporaryFiles& temporaries, std::string message);
