// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tevrix {

// Windows-1251 <-> UTF-8. Every one of the 256 bytes has a character (the
// five bytes Windows leaves undefined map to the C1 control of the same
// value), so bytes decoded and encoded again come back unchanged.
std::string Cp1251ToUtf8(std::string_view bytes);

// Characters Windows-1251 cannot hold become '?'. Malformed UTF-8 bytes are
// taken one at a time as '?' too.
std::string Utf8ToCp1251(std::string_view text);

// Whether every character of the UTF-8 text has a Windows-1251 byte, so that
// the text survives a round trip through a file in that code page.
bool FitsCp1251(std::string_view text);

// Decodes one UTF-8 code point at `pos` and advances it; a malformed sequence
// yields U+FFFD and advances by one byte.
char32_t DecodeUtf8(std::string_view text, size_t& pos);
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace tevrix
