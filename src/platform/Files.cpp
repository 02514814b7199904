// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tevrix {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what, int error) {
    throw IoError(what + ": " + std::strerror(error));
}

// Writes everything; returns 0 or the errno of the failure.
int WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += done;
        size -= static_cast<size_t>(done);
    }
    return 0;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowErrno(path, errno);
    struct stat info {};
    const size_t known =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
    // One byte more than the known size, so the end shows without growing.
    std::vector<uint8_t> bytes(known + 1);
    size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            ThrowErrno(path, error);
        }
        if (got == 0)
            break;
        used += static_cast<size_t>(got);
    }
    ::close(fd);
    bytes.resize(used);
    return bytes;
}

FileInputStream::FileInputStream(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (m_fd < 0)
        ThrowErrno(path, errno);
}

FileInputStream::~FileInputStream() {
    ::close(m_fd);
}

size_t FileInputStream::Read(uint8_t* buffer, size_t size) {
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0)
            return static_cast<size_t>(got);
        if (errno != EINTR)
            ThrowErrno("read", errno);
    }
}

FileOutputStream::FileOutputStream(const std::string& path)
    : m_fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644)) {
    if (m_fd < 0)
        ThrowErrno(path, errno);
}

FileOutputStream::~FileOutputStream() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void FileOutputStream::Write(const uint8_t* data, size_t size) {
    if (const int error = WriteAll(m_fd, data, size))
        ThrowErrno("write", error);
}

void FileOutputStream::Sync() {
    if (::fsync(m_fd) != 0)
        ThrowErrno("fsync", errno);
}

void FileOutputStream::Close() {
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        ThrowErrno("close", errno);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, FileAccess access) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        ThrowErrno(path, errno);
    int error = WriteAll(fd, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (error == 0 &&
        (::fchmod(fd, access == FileAccess::OwnerOnly ? 0600 : 0644) != 0 || ::fsync(fd) != 0))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        ThrowErrno(path, error);
    }
    const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void AppendFileBytes(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        ThrowErrno(path, errno);
    int error = WriteAll(fd, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ThrowErrno(path, error);
}

} // namespace tevrix
