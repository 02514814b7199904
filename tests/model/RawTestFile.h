// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds test files byte by byte, so tests can write what no sound writer
// would: damaged bodies, lying counts, hostile file names.

#include "io/BinaryWriter.h"
#include "io/ZlibOutputStream.h"
#include "model/Scrambler.h"
#include "model/TestFileFormat.h"

#include <string>
#include <vector>

namespace tevrix::testing {

// Wraps a body (the bytes inside the zlib stream) into a scrambled test file.
inline std::vector<uint8_t> WrapBody(const std::vector<uint8_t>& body) {
    MemoryOutputStream plain;
    BinaryWriter writer(plain);
    writer.WriteBytes(tvf::kMagic);
    writer.WriteText("header");
    const std::vector<uint8_t> packed = ZlibCompress(body.data(), body.size(), 6);
    plain.Write(packed.data(), packed.size());
    std::vector<uint8_t> bytes = plain.TakeBytes();
    Scrambler(TestFileKey()).Scramble(bytes.data(), bytes.size());
    return bytes;
}

// Appends primitives to a body under construction.
class BodyBuilder {
public:
    BodyBuilder& Int(int32_t v) {
        m_writer.WriteInt32(v);
        return *this;
    }
    BodyBuilder& Byte(uint8_t v) {
        m_writer.WriteByte(v);
        return *this;
    }
    BodyBuilder& Double(double v) {
        m_writer.WriteDouble(v);
        return *this;
    }
    BodyBuilder& Text(const std::string& v) {
        m_writer.WriteText(v);
        return *this;
    }
    BodyBuilder& Raw(const std::string& v) {
        m_writer.WriteBytes(v);
        return *this;
    }
    BodyBuilder& Record(const std::vector<uint8_t>& bytes) {
        m_out.Write(bytes.data(), bytes.size());
        return *this;
    }
    std::vector<uint8_t> Bytes() const { return m_out.Bytes(); }

private:
    MemoryOutputStream m_out;
    BinaryWriter m_writer{m_out};
};

} // namespace tevrix::testing
