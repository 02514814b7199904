// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ZlibInputStream.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace tevrix {
namespace {
constexpr size_t kInputChunk = 256 * 1024;
constexpr size_t kOutputChunk = 64 * 1024;
} // namespace

struct ZlibInputStream::State {
    z_stream Stream{};
};

ZlibInputStream::ZlibInputStream(InputStream& source)
    : m_state(std::make_unique<State>()), m_source(source), m_input(kInputChunk) {
    if (inflateInit(&m_state->Stream) != Z_OK)
        throw FormatError("zlib initialisation failed");
}

ZlibInputStream::~ZlibInputStream() {
    inflateEnd(&m_state->Stream);
}

size_t ZlibInputStream::Inflate(uint8_t* buffer, size_t size) {
    z_stream& z = m_state->Stream;
    z.next_out = buffer;
    z.avail_out = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    const uInt wanted = z.avail_out;
    while (z.avail_out > 0 && !m_ended) {
        if (z.avail_in == 0) {
            const size_t got = m_source.Read(m_input.data(), m_input.size());
            if (got == 0)
                break; // compressed data ended early: the output just ends
            z.next_in = m_input.data();
            z.avail_in = static_cast<uInt>(got);
        }
        const int status = inflate(&z, Z_NO_FLUSH);
        if (status == Z_STREAM_END)
            m_ended = true;
        else if (status != Z_OK && status != Z_BUF_ERROR)
            throw FormatError("damaged compressed data");
    }
    return wanted - z.avail_out;
}

size_t ZlibInputStream::Read(uint8_t* buffer, size_t size) {
    size_t done = 0;
    const size_t buffered = m_output.size() - m_outputPosition;
    if (buffered > 0) {
        done = std::min(size, buffered);
        std::memcpy(buffer, m_output.data() + m_outputPosition, done);
        m_outputPosition += done;
    }
    if (done == size)
        return done;
    if (size - done >= kOutputChunk) // large reads inflate straight into the caller's buffer
        return done + Inflate(buffer + done, size - done);
    m_output.resize(kOutputChunk);
    m_output.resize(Inflate(m_output.data(), m_output.size()));
    m_outputPosition = 0;
    const size_t more = std::min(size - done, m_output.size());
    std::memcpy(buffer + done, m_output.data(), more);
    m_outputPosition = more;
    return done + more;
}

} // namespace tevrix
