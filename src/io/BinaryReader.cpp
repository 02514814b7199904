// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/BinaryReader.h"

#include <algorithm>
#include <cstring>

namespace tevrix {
namespace {
// A text is read in slices of this size, so a length that lies costs at most
// one slice before the data runs out.
constexpr size_t kTextSlice = 64 * 1024;
} // namespace

size_t BinaryReader::ReadSome(uint8_t* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const size_t got = m_input.Read(buffer + done, size - done);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

void BinaryReader::ReadExact(uint8_t* buffer, size_t size) {
    if (ReadSome(buffer, size) != size)
        throw FormatError("unexpected end of data");
}

int32_t BinaryReader::ReadInt32() {
    return static_cast<int32_t>(ReadUInt32());
}

uint32_t BinaryReader::ReadUInt32() {
    uint8_t b[4];
    ReadExact(b, 4);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
           static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

uint8_t BinaryReader::ReadByte() {
    uint8_t b;
    ReadExact(&b, 1);
    return b;
}

double BinaryReader::ReadDouble() {
    uint8_t b[8];
    ReadExact(b, 8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | b[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string BinaryReader::ReadText() {
    const int32_t length = ReadInt32();
    if (length <= 0)
        return {};
    if (static_cast<size_t>(length) > kMaxTextLength)
        throw FormatError("text too long");
    return ReadBytes(static_cast<size_t>(length));
}

std::string BinaryReader::ReadBytes(size_t size) {
    std::string out;
    while (out.size() < size) {
        const size_t slice = std::min(kTextSlice, size - out.size());
        const size_t old = out.size();
        out.resize(old + slice);
        ReadExact(reinterpret_cast<uint8_t*>(out.data()) + old, slice);
    }
    return out;
}

} // namespace tevrix
