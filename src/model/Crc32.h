// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tevrix {

// CRC-32 of ISO-HDLC / IEEE 802.3 (zlib's crc32).
uint32_t Crc32(const uint8_t* buffer, size_t length);
// The CRC-32 of a file's bytes; 0 when the file cannot be opened.
uint32_t FileCrc32(const std::string& path);

} // namespace tevrix
