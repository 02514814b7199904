// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ZlibOutputStream.h"

#include <algorithm>
#include <zlib.h>

namespace tevrix {

struct ZlibOutputStream::State {
    z_stream Stream{};
};

ZlibOutputStream::ZlibOutputStream(OutputStream& output, int level)
    : m_state(std::make_unique<State>()), m_output(output), m_buffer(256 * 1024) {
    if (deflateInit(&m_state->Stream, level) != Z_OK)
        throw FormatError("zlib initialisation failed");
}

ZlibOutputStream::~ZlibOutputStream() {
    deflateEnd(&m_state->Stream);
}

void ZlibOutputStream::Deflate(const uint8_t* data, size_t size, int flush) {
    z_stream& z = m_state->Stream;
    z.next_in = const_cast<uint8_t*>(data);
    do {
        const size_t slice = std::min<size_t>(size, 1u << 30);
        z.avail_in = static_cast<uInt>(slice);
        size -= slice;
        int status;
        do {
            z.next_out = m_buffer.data();
            z.avail_out = static_cast<uInt>(m_buffer.size());
            status = deflate(&z, size == 0 ? flush : Z_NO_FLUSH);
            if (status == Z_STREAM_ERROR)
                throw FormatError("compression failed");
            m_output.Write(m_buffer.data(), m_buffer.size() - z.avail_out);
        } while (z.avail_out == 0 || (flush == Z_FINISH && size == 0 && status != Z_STREAM_END));
    } while (size > 0);
}

void ZlibOutputStream::Write(const uint8_t* data, size_t size) {
    if (size > 0)
        Deflate(data, size, Z_NO_FLUSH);
}

void ZlibOutputStream::Finish() {
    if (m_finished)
        return;
    m_finished = true;
    Deflate(nullptr, 0, Z_FINISH);
}

std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size, int level) {
    MemoryOutputStream out;
    ZlibOutputStream zlib(out, level);
    zlib.Write(data, size);
    zlib.Finish();
    return out.TakeBytes();
}

} // namespace tevrix
