// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"

#include <cstdint>
#include <string_view>

namespace tevrix {

// Writes the primitives BinaryReader reads, little-endian. Flags are written
// as 1 and 0; an empty text is the length 0 alone.
class BinaryWriter {
public:
    explicit BinaryWriter(OutputStream& output) : m_output(output) {}

    void WriteInt32(int32_t value);
    void WriteUInt32(uint32_t value);
    void WriteByte(uint8_t value);
    void WriteBool(bool value) { WriteByte(value ? 1 : 0); }
    void WriteDouble(double value);
    // Length-prefixed raw bytes; fails on a text longer than an int32 can say.
    void WriteText(std::string_view bytes);
    void WriteBytes(std::string_view bytes);

private:
    OutputStream& m_output;
};

} // namespace tevrix
