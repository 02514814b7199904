// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tevrix {

// Decodes the 8-bit text of an RTF document into UTF-8. The code page comes
// from the font's \fcharset or \cpg, else from \ansicpg; the station's own
// Windows-1251 is used when the document names none. Bytes written in the
// Symbol font are that font's glyphs (Greek letters, mathematical signs)
// and become the Unicode characters they show.
class RtfTextDecoder {
public:
    // Windows' pseudo code page of symbol fonts (\fcharset2).
    static constexpr int kSymbolCodePage = 42;
    static constexpr int kDefaultCodePage = 1251;

    RtfTextDecoder() = default;
    ~RtfTextDecoder();
    RtfTextDecoder(const RtfTextDecoder&) = delete;
    RtfTextDecoder& operator=(const RtfTextDecoder&) = delete;

    // Appends the UTF-8 form of `bytes` in `codePage` to `out`. For
    // kSymbolCodePage, `symbolFont` tells the Symbol font (mapped to Unicode)
    // from other symbol fonts (kept in the private-use block U+F000..U+F0FF,
    // where Windows puts them). Bytes the code page does not define become
    // U+FFFD; an unknown code page is read as the default one.
    void Decode(int codePage, bool symbolFont, std::string_view bytes, std::string& out);

    // The code page of an RTF \fcharset value; 0 when it names none.
    static int CodePageOfCharset(int charset);
    // The Unicode character shown by a byte of the Symbol font, or U+FFFD.
    static char32_t SymbolToUnicode(unsigned char byte);

private:
    void DecodeWithIconv(int codePage, std::string_view bytes, std::string& out);
    // The iconv handle from `codePage` to UTF-8, opened once per reader;
    // nullptr when the system cannot convert it.
    void* Converter(int codePage);

    std::map<int, void*> m_converters;
};

} // namespace tevrix
