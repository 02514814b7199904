// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Guid.h"

#include <cstdio>
#include <random>

namespace tevrix {

std::string GuidToText(const std::array<uint8_t, 16>& b) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                  b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return buffer;
}

std::string NewGuidText() {
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::array<uint8_t, 16> bytes{};
    for (size_t i = 0; i < bytes.size(); i += 8) {
        const uint64_t value = engine();
        for (size_t k = 0; k < 8; ++k)
            bytes[i + k] = static_cast<uint8_t>(value >> (8 * k));
    }
    bytes[7] = static_cast<uint8_t>((bytes[7] & 0x0F) | 0x40); // version 4 (Data3 high nibble)
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    return GuidToText(bytes);
}

} // namespace tevrix
