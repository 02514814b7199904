// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tevrix {

ExclusiveFileLock::ExclusiveFileLock(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDWR | O_CLOEXEC)) {
    if (m_fd < 0)
        return;
    // An open-file-description lock: a classic POSIX lock would be dropped as
    // soon as the process closed any other descriptor of the file, such as
    // the one its runs are read through.
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET; // start 0, length 0: the whole file
    int result;
    do
        result = ::fcntl(m_fd, F_OFD_SETLKW, &whole);
    while (result != 0 && errno == EINTR);
    m_locked = result == 0;
}

ExclusiveFileLock::~ExclusiveFileLock() {
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

bool ExclusiveFileLock::StillNames(const std::string& path) const {
    struct stat held {};
    struct stat named {};
    return m_fd >= 0 && ::fstat(m_fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace tevrix
