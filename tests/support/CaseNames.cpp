// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CaseNames.h"

#include <array>
#include <cctype>

namespace tevrix::testing {
namespace {

constexpr size_t kMaxLength = 40;

// The Latin spelling of the lower-case Cyrillic letters а..я (U+0430..U+044F).
constexpr std::array<const char*, 32> kCyrillic = {
    "a", "b", "v", "g", "d", "e", "zh", "z",  "i",  "y",   "k", "l", "m", "n", "o",  "p",
    "r", "s", "t", "u", "f", "h", "ts", "ch", "sh", "sch", "",  "y", "",  "e", "yu", "ya"};

// The transliteration of the two-byte UTF-8 character `code`, or nothing.
std::string Transliterate(unsigned code) {
    if (code >= 0x410 && code <= 0x42F)
        code += 0x20; // upper case to lower case
    if (code >= 0x430 && code <= 0x44F)
        return kCyrillic[code - 0x430];
    switch (code) {
    case 0x401:
    case 0x451: return "yo";
    case 0x404:
    case 0x454: return "ye";
    case 0x406:
    case 0x456: return "i";
    case 0x407:
    case 0x457: return "yi";
    case 0x40E:
    case 0x45E: return "u";
    case 0x490:
    case 0x491: return "g";
    default: return "";
    }
}

} // namespace

std::string CaseNameText(std::string_view text) {
    std::string name;
    bool gap = false;
    const auto append = [&](const std::string& letters) {
        if (letters.empty()) {
            gap = !name.empty();
            return;
        }
        if (gap)
            name += '_';
        gap = false;
        name += letters;
    };
    for (size_t i = 0; i < text.size() && name.size() < kMaxLength; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (std::isalnum(byte)) {
            append(std::string(1, static_cast<char>(byte)));
        } else if ((byte & 0xE0) == 0xC0 && i + 1 < text.size()) {
            append(Transliterate((byte & 0x1Fu) << 6 |
                                 (static_cast<unsigned char>(text[i + 1]) & 0x3Fu)));
            ++i;
        } else {
            append("");
        }
    }
    return name.substr(0, kMaxLength);
}

} // namespace tevrix::testing
