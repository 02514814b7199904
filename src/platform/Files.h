// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

// A file that could not be opened, read or written; what() holds the
// system's text.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool FileExists(const std::string& path);

// The whole file; throws IoError.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

// Reads a file front to back; throws IoError when it cannot be opened or read.
class FileInputStream final : public InputStream {
public:
    explicit FileInputStream(const std::string& path);
    ~FileInputStream() override;
    FileInputStream(const FileInputStream&) = delete;
    FileInputStream& operator=(const FileInputStream&) = delete;
    size_t Read(uint8_t* buffer, size_t size) override;

private:
    int m_fd;
};

// Creates (or truncates) a file and writes to it; throws IoError on any
// failure, Close() included. It never writes through a symbolic link: a link
// planted where the file goes is a failure.
class FileOutputStream final : public OutputStream {
public:
    explicit FileOutputStream(const std::string& path);
    ~FileOutputStream() override;
    FileOutputStream(const FileOutputStream&) = delete;
    FileOutputStream& operator=(const FileOutputStream&) = delete;
    void Write(const uint8_t* data, size_t size) override;
    // Flushes the file to disk (fsync).
    void Sync();
    void Close();

private:
    int m_fd;
};

// Who may read a file the program writes.
enum class FileAccess {
    Shared,    // 0644: results, configuration
    OwnerOnly, // 0600: files that hold a password
};

// Replaces `path` with `bytes` so that a crash or a failure at any moment
// leaves either the old file or the new one, never a torn one: the bytes go
// to a temporary file in the same folder, which is flushed to disk, renamed
// over `path`, and the folder is flushed. Throws IoError; on failure the old
// file is untouched and the temporary file removed.
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         FileAccess access = FileAccess::Shared);

// Appends `bytes` to the end of `path` with one write, creating the file when
// missing, and flushes it to disk. Throws IoError; the file is closed in
// every case.
void AppendFileBytes(const std::string& path, std::string_view bytes);

} // namespace tevrix
