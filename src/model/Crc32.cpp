// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Crc32.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

namespace tevrix {

uint32_t Crc32(const uint8_t* buffer, size_t length) {
    return static_cast<uint32_t>(crc32_z(0L, buffer, length));
}

uint32_t FileCrc32(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    uLong crc = crc32(0L, Z_NULL, 0);
    unsigned char block[65521];
    for (ssize_t got; (got = ::read(fd, block, sizeof block)) > 0;)
        crc = crc32_z(crc, block, static_cast<size_t>(got));
    ::close(fd);
    return static_cast<uint32_t>(crc);
}

} // namespace tevrix
