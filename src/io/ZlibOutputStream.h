// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"

#include <memory>
#include <vector>

namespace tevrix {

// Deflates everything written through it into a zlib stream (RFC 1950) on
// `output`. Finish() must be called to complete the stream.
class ZlibOutputStream final : public OutputStream {
public:
    ZlibOutputStream(OutputStream& output, int level);
    ~ZlibOutputStream() override;
    ZlibOutputStream(const ZlibOutputStream&) = delete;
    ZlibOutputStream& operator=(const ZlibOutputStream&) = delete;

    void Write(const uint8_t* data, size_t size) override;
    void Finish();

private:
    void Deflate(const uint8_t* data, size_t size, int flush);

    struct State;
    std::unique_ptr<State> m_state;
    OutputStream& m_output;
    std::vector<uint8_t> m_buffer;
    bool m_finished = false;
};

// Compresses a whole buffer at `level`.
std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size, int level);

} // namespace tevrix
