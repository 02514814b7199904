// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace tevrix::testing {

// Little-endian bytes laid out by hand, to check formats independently of
// the writers under test.
class ByteBuilder {
public:
    ByteBuilder& Int32(int32_t value) { return UInt32(static_cast<uint32_t>(value)); }
    ByteBuilder& UInt32(uint32_t value) {
        for (int i = 0; i < 4; ++i)
            m_bytes += static_cast<char>(value >> (8 * i) & 0xFF);
        return *this;
    }
    ByteBuilder& Byte(uint8_t value) {
        m_bytes += static_cast<char>(value);
        return *this;
    }
    ByteBuilder& Double(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 8; ++i)
            m_bytes += static_cast<char>(bits >> (8 * i) & 0xFF);
        return *this;
    }
    // A text given as its stored (Windows-1251) bytes.
    ByteBuilder& Text(const std::string& bytes) {
        Int32(static_cast<int32_t>(bytes.size()));
        return Raw(bytes);
    }
    ByteBuilder& Raw(const std::string& bytes) {
        m_bytes += bytes;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

} // namespace tevrix::testing
