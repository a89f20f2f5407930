#pragma once

#include <sys/types.h>

#include <string>

// A folder that lists a process's open descriptors (/proc/PID/fd, however
// reached): ours, or another process's.
enum class Descriptors { None, Ours, Another };

// Where a name finally leads: its folder with every link resolved, and the
// name in it, which is not a link (or an entry of a descriptor folder).
struct Place {
    std::string folder, name;
    Descriptors descriptors = Descriptors::None;

    std::string Path() const { return folder + (folder == "/" ? "" : "/") + name; }
};

// Follows the links from `path`, each relative to its own folder. 0 or an
// errno; `missing` names the folder that does not exist, if that was it.
int Locate(std::string path, Place& place, std::string& missing);

// The descriptor number a place in our own descriptor folder names, or -1.
int OwnDescriptor(const Place& place);

// Where the bytes written to a name would go. Two names reach one place
// exactly when their keys are equal: what exists is known by its device and
// inode (an open descriptor of ours by what it is open on), a new file by
// the real path of its folder and its name.
struct Destination {
    std::string key;
    bool writeProtected = false;  // an existing regular file whose owner has no write bit
    int error = 0;                // why the name leads nowhere; the key is then the name as given
};

Destination FindDestination(const std::string& path);
Destination DescriptorDestination(int fd);
