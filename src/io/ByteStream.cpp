// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ByteStream.h"

#include <algorithm>
#include <cstring>

namespace tevrix {

size_t MemoryInputStream::Read(uint8_t* buffer, size_t size) {
    const size_t count = std::min(size, Remaining());
    if (count > 0)
        std::memcpy(buffer, m_data.data() + m_position, count);
    m_position += count;
    return count;
}

void MemoryOutputStream::Write(const uint8_t* data, size_t size) {
    m_bytes.insert(m_bytes.end(), data, data + size);
}

} // namespace tevrix
