// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tevrix {

// An exclusive lock on an existing file for a read-modify-replace cycle, so
// that programs sharing a folder (stations writing results into one network
// folder) take turns. It is a record lock of the open file (Linux OFD lock),
// which network file systems carry too; the kernel drops it when the holder
// closes the file or dies.
class ExclusiveFileLock {
public:
    // Waits until the file that `path` names now can be locked. The lock is
    // not held (Locked() false) when there is no such file or the file system
    // or the permissions refuse it; the caller then goes on unlocked.
    explicit ExclusiveFileLock(const std::string& path);
    ~ExclusiveFileLock();
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

    bool Locked() const { return m_locked; }
    // False when `path` was replaced by another file (or removed) while this
    // lock was awaited: the lock then guards a file nobody reads any more.
    bool StillNames(const std::string& path) const;

private:
    int m_fd = -1;
    bool m_locked = false;
};

} // namespace tevrix
