// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/BinaryWriter.h"

#include <cstring>
#include <limits>

namespace tevrix {

void BinaryWriter::WriteUInt32(uint32_t value) {
    const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    m_output.Write(b, 4);
}

void BinaryWriter::WriteInt32(int32_t value) {
    WriteUInt32(static_cast<uint32_t>(value));
}

void BinaryWriter::WriteByte(uint8_t value) {
    m_output.Write(&value, 1);
}

void BinaryWriter::WriteDouble(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    uint8_t b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<uint8_t>(bits >> (8 * i));
    m_output.Write(b, 8);
}

void BinaryWriter::WriteText(std::string_view bytes) {
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw FormatError("text too long");
    WriteInt32(static_cast<int32_t>(bytes.size()));
    WriteBytes(bytes);
}

void BinaryWriter::WriteBytes(std::string_view bytes) {
    m_output.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

} // namespace tevrix
