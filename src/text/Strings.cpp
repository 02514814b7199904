// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Strings.h"

#include "text/Cp1251.h"

namespace tevrix {

std::string Trim(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t first = 0;
    size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

char32_t UpperCaseChar(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) // Latin-1 letters, not the division sign
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x430 && c <= 0x44F) // а..я
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) // ѐ..џ, ё ђ ѓ є ѕ і ї ј љ њ ћ ќ ѝ ў
        return c - 0x50;
    // Historic and extended Cyrillic come in upper/lower pairs.
    const bool oddIsLower =
        (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x4FF);
    if (oddIsLower && (c & 1))
        return c - 1;
    if (c >= 0x4C1 && c <= 0x4CE && !(c & 1))
        return c - 1;
    if (c == 0x4CF)
        return 0x4C0;
    return c;
}

std::string UpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        const char32_t cp = DecodeUtf8(text, pos);
        if (cp == 0xFFFD && pos == start + 1 && static_cast<unsigned char>(text[start]) >= 0x80)
            out += text[start]; // keep bytes that are not UTF-8 untouched
        else
            AppendUtf8(out, UpperCaseChar(cp));
    }
    return out;
}

} // namespace tevrix
