// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tevrix {

// The symbol fonts the reader knows by name, whatever charset a document
// declares for them, and the other fonts of the symbol charset.
enum class RtfSymbolFont {
    None,       // an ordinary font: its bytes are text in its code page
    Symbol,     // Greek letters and mathematical signs at Latin positions
    Wingdings,  // pictograms; the usual list bullets have Unicode characters
    OpenSymbol, // a Unicode font; its bytes are Windows-1252 (0x95 the bullet)
    Unknown,    // another font of \fcharset2: kept in the private-use block
};

// Decodes the 8-bit text of an RTF document into UTF-8. The code page comes
// from the font's \fcharset or \cpg, else from \ansicpg; the station's own
// Windows-1251 is used when the document names none. Bytes written in a
// symbol font are that font's glyphs and become the Unicode characters they
// show where they have one.
class RtfTextDecoder {
public:
    // Windows' pseudo code page of symbol fonts (\fcharset2).
    static constexpr int kSymbolCodePage = 42;
    static constexpr int kDefaultCodePage = 1251;

    RtfTextDecoder() = default;
    ~RtfTextDecoder();
    RtfTextDecoder(const RtfTextDecoder&) = delete;
    RtfTextDecoder& operator=(const RtfTextDecoder&) = delete;

    // A code page no converter of the system reads (Mac Johab, for one).
    static constexpr int kUnreadableCodePage = -1;

    // Appends the UTF-8 form of `bytes` in `codePage`, or in the glyphs of
    // `symbolFont`, to `out`. Bytes the code page does not define, and the
    // bytes above 0x7F of a code page the system cannot convert, become
    // U+FFFD: a wrong letter is never shown in place of the right one.
    void Decode(int codePage, RtfSymbolFont symbolFont, std::string_view bytes, std::string& out);

    // The code page of an RTF \fcharset value; 0 when it names none.
    static int CodePageOfCharset(int charset);
    // The kind of a font of the font table, by its name and code page.
    static RtfSymbolFont SymbolFontOf(std::string_view name, int codePage);
    // The character a byte of a symbol font shows: the Symbol font's is
    // U+FFFD where it has no glyph; a byte of another symbol font without a
    // Unicode character stays in the private-use block U+F000..U+F0FF, where
    // Windows puts it. Not for RtfSymbolFont::None and OpenSymbol.
    static char32_t SymbolCharacter(RtfSymbolFont font, unsigned char byte);

private:
    void DecodeWithIconv(int codePage, std::string_view bytes, std::string& out);
    static void DecodeUnreadable(std::string_view bytes, std::string& out);
    // The iconv handle from `codePage` to UTF-8, opened once per reader;
    // nullptr when the system cannot convert it.
    void* Converter(int codePage);

    std::map<int, void*> m_converters;
};

} // namespace tevrix
