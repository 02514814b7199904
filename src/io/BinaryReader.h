// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"

#include <cstdint>
#include <string>

namespace tevrix {

// Reads the little-endian primitives of the program's binary formats:
//   int32  4 bytes, signed
//   byte   1 byte, unsigned; as a flag 0 = false, anything else = true
//   double 8 bytes IEEE 754
//   text   int32 length n, then n bytes, no terminator; n <= 0 is empty text
// Every read that finds the data ended throws FormatError. Lengths are never
// trusted: a text grows only as its bytes actually arrive.
class BinaryReader {
public:
    // No text of the program's formats comes near this; a longer one is damage.
    static constexpr size_t kMaxTextLength = 256u * 1024 * 1024;

    explicit BinaryReader(InputStream& input) : m_input(input) {}

    int32_t ReadInt32();
    uint32_t ReadUInt32();
    uint8_t ReadByte();
    bool ReadBool() { return ReadByte() != 0; }
    double ReadDouble();
    // The raw bytes of a text (8-bit, as stored).
    std::string ReadText();
    // Exactly `size` raw bytes.
    std::string ReadBytes(size_t size);
    void ReadExact(uint8_t* buffer, size_t size);
    // Reads up to `size` bytes; fewer only at the end of the data.
    size_t ReadSome(uint8_t* buffer, size_t size);

private:
    InputStream& m_input;
};

} // namespace tevrix
