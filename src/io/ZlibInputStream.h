// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"

#include <memory>
#include <vector>

namespace tevrix {

// Inflates a zlib stream (RFC 1950) read from `source`, on the fly. Reading
// stops at the end of the zlib stream; bytes after it are never read. Damaged
// data throws FormatError; compressed data that ends early simply ends the
// output.
class ZlibInputStream final : public InputStream {
public:
    explicit ZlibInputStream(InputStream& source);
    ~ZlibInputStream() override;
    ZlibInputStream(const ZlibInputStream&) = delete;
    ZlibInputStream& operator=(const ZlibInputStream&) = delete;

    size_t Read(uint8_t* buffer, size_t size) override;

private:
    // Inflates into [buffer, buffer + size); returns the bytes produced.
    size_t Inflate(uint8_t* buffer, size_t size);

    struct State;
    std::unique_ptr<State> m_state;
    InputStream& m_source;
    std::vector<uint8_t> m_input;
    // Small reads (the fields of a record) are served from this buffer so
    // that inflate is not called for every four bytes.
    std::vector<uint8_t> m_output;
    size_t m_outputPosition = 0;
    bool m_ended = false;
};

} // namespace tevrix
