// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tevrix {

// Thrown by readers when data ends early or is malformed. Public operations of
// the core catch it and return the message the user sees.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A source of bytes read front to back.
class InputStream {
public:
    virtual ~InputStream() = default;
    // Reads up to `size` bytes into `buffer`; returns how many were read
    // (0 only at the end of the data).
    virtual size_t Read(uint8_t* buffer, size_t size) = 0;
};

// A sink of bytes.
class OutputStream {
public:
    virtual ~OutputStream() = default;
    virtual void Write(const uint8_t* data, size_t size) = 0;
};

// Reads from bytes held elsewhere; the bytes must outlive the stream.
class MemoryInputStream final : public InputStream {
public:
    explicit MemoryInputStream(std::span<const uint8_t> data) : m_data(data) {}
    size_t Read(uint8_t* buffer, size_t size) override;
    size_t Position() const { return m_position; }
    size_t Remaining() const { return m_data.size() - m_position; }

private:
    std::span<const uint8_t> m_data;
    size_t m_position = 0;
};

// Collects written bytes in memory.
class MemoryOutputStream final : public OutputStream {
public:
    void Write(const uint8_t* data, size_t size) override;
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    std::vector<uint8_t> TakeBytes() { return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
};

// Byte helpers for the many places that hold binary data in a std::string.
inline std::span<const uint8_t> AsBytes(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

} // namespace tevrix
