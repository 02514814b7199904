// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RtfTextDecoder.h"

#include "text/Cp1251.h"
#include "text/Strings.h"

#include <array>
#include <cerrno>
#include <iconv.h>

namespace tevrix {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// The Symbol font's glyphs for bytes 0x20..0xFF (0 = no glyph). Windows'
// Symbol font has the euro sign at 0xA0.
constexpr std::array<char16_t, 224> kSymbolFont = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, // 20
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F, // 28
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, // 30
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, // 38
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, // 40
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, // 48
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, // 50
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F, // 58
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, // 60
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, // 68
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, // 70
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0,      // 78
    0,      0,      0,      0,      0,      0,      0,      0,      // 80
    0,      0,      0,      0,      0,      0,      0,      0,      // 88
    0,      0,      0,      0,      0,      0,      0,      0,      // 90
    0,      0,      0,      0,      0,      0,      0,      0,      // 98
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, // A0
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193, // A8
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, // B0
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5, // B8
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, // C0
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, // C8
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, // D0
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3, // D8
    0x25CA, 0x27E8, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, // E0
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA, // E8
    0,      0x27E9, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, // F0
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0,      // F8
};

// The Wingdings glyphs that word processors offer as list bullets and
// check boxes, with their Unicode characters; 0 = none here.
char32_t WingdingsToUnicode(unsigned char byte) {
    switch (byte) {
    case 0x6C: return 0x25CF; // black circle
    case 0x6E: return 0x25A0; // black square
    case 0x6F: return 0x25A1; // white square
    case 0x71: return 0x2751; // lower right shadowed white square
    case 0x72: return 0x2752; // upper right shadowed white square
    case 0x75: return 0x25C6; // black diamond
    case 0x76: return 0x2756; // black diamond minus white X
    case 0xA7: return 0x25AA; // black small square
    case 0xD8: return 0x27A2; // arrowhead
    case 0xFC: return 0x2714; // check mark
    case 0xFD: return 0x2612; // ballot box with X
    case 0xFE: return 0x2611; // ballot box with check
    default: return 0;
    }
}

// glibc's converter for a code page. The Mac code pages of Japanese,
// Chinese and Korean extend Shift JIS, Big5, EUC-KR and GB 2312 with signs
// of their own, which those converters leave undefined (U+FFFD); the other
// code pages are "CP" and their number.
std::string IconvName(int codePage) {
    switch (codePage) {
    case 10000: return "MACINTOSH";
    case 10001: return "SHIFT_JIS";
    case 10002: return "BIG5";
    case 10003: return "EUC-KR";
    case 10007: return "MAC-CYRILLIC";
    case 10008: return "EUC-CN";
    case 10017: return "MAC-UK";
    case 10029: return "MAC-CENTRALEUROPE";
    case 10079: return "MAC-IS";
    default: return "CP" + std::to_string(codePage);
    }
}

} // namespace

RtfTextDecoder::~RtfTextDecoder() {
    for (const auto& [codePage, converter] : m_converters) {
        if (converter != kNoConverter)
            iconv_close(static_cast<iconv_t>(converter));
    }
}

void RtfTextDecoder::Decode(int codePage, RtfSymbolFont symbolFont, std::string_view bytes,
                            std::string& out) {
    switch (symbolFont) {
    case RtfSymbolFont::None: break;
    case RtfSymbolFont::OpenSymbol: codePage = 1252; break;
    default:
        for (const char c : bytes)
            AppendUtf8(out, SymbolCharacter(symbolFont, static_cast<unsigned char>(c)));
        return;
    }
    if (codePage == kDefaultCodePage)
        out += Cp1251ToUtf8(bytes);
    else if (Converter(codePage) != kNoConverter)
        DecodeWithIconv(codePage, bytes, out);
    else
        DecodeUnreadable(bytes, out);
}

void RtfTextDecoder::DecodeUnreadable(std::string_view bytes, std::string& out) {
    // Every code page a writer names keeps ASCII below 0x80.
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            out.push_back(c);
        else
            AppendUtf8(out, 0xFFFD);
    }
}

void RtfTextDecoder::DecodeWithIconv(int codePage, std::string_view bytes, std::string& out) {
    const auto converter = static_cast<iconv_t>(Converter(codePage));
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPosition = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter, &in, &inLeft, &outPosition, &outLeft);
        out.append(buffer, outPosition);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // A byte the code page does not define, or a character cut off
            // by the end of the stretch: one replacement character, go on.
            AppendUtf8(out, 0xFFFD);
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

void* RtfTextDecoder::Converter(int codePage) {
    const auto found = m_converters.find(codePage);
    if (found != m_converters.end())
        return found->second;
    const iconv_t converter =
        codePage > 0 ? iconv_open("UTF-8", IconvName(codePage).c_str()) : kNoConverter;
    m_converters.emplace(codePage, converter);
    return converter;
}

int RtfTextDecoder::CodePageOfCharset(int charset) {
    switch (charset) {
    case 0: return 1252; // ANSI
    case 2: return kSymbolCodePage;
    case 77: return 10000;               // Mac Roman
    case 78: return 10001;               // Mac Japanese
    case 79: return 10003;               // Mac Korean
    case 80: return 10008;               // Mac Simplified Chinese
    case 81: return 10002;               // Mac Traditional Chinese
    case 82: return kUnreadableCodePage; // Mac Johab, which has no code page
    case 83: return 10005;               // Mac Hebrew
    case 84: return 10004;               // Mac Arabic
    case 85: return 10006;               // Mac Greek
    case 86: return 10081;               // Mac Turkish
    case 87: return 10021;               // Mac Thai
    case 88: return 10029;               // Mac Central European
    case 89: return 10007;               // Mac Cyrillic
    case 128: return 932;                // Shift JIS
    case 129: return 949;                // Hangul
    case 130: return 1361;               // Johab
    case 134: return 936;                // GB2312
    case 136: return 950;                // Big5
    case 161: return 1253;               // Greek
    case 162: return 1254;               // Turkish
    case 163: return 1258;               // Vietnamese
    case 177: return 1255;               // Hebrew
    case 178: return 1256;               // Arabic
    case 186: return 1257;               // Baltic
    case 204: return 1251;               // Cyrillic
    case 222: return 874;                // Thai
    case 238: return 1250;               // Eastern European
    case 255: return 437;                // OEM
    default: return 0;                   // 1 = the default charset, and the unknown ones
    }
}

RtfSymbolFont RtfTextDecoder::SymbolFontOf(std::string_view name, int codePage) {
    if (EqualsIgnoringAsciiCase(name, "Symbol"))
        return RtfSymbolFont::Symbol;
    if (EqualsIgnoringAsciiCase(name, "Wingdings"))
        return RtfSymbolFont::Wingdings;
    if (EqualsIgnoringAsciiCase(name, "OpenSymbol"))
        return RtfSymbolFont::OpenSymbol;
    return codePage == kSymbolCodePage ? RtfSymbolFont::Unknown : RtfSymbolFont::None;
}

char32_t RtfTextDecoder::SymbolCharacter(RtfSymbolFont font, unsigned char byte) {
    if (font == RtfSymbolFont::Symbol) {
        const char16_t c = byte < 0x20 ? 0 : kSymbolFont[byte - 0x20];
        return c == 0 ? 0xFFFD : c;
    }
    const char32_t mapped = font == RtfSymbolFont::Wingdings ? WingdingsToUnicode(byte) : 0;
    return mapped != 0 ? mapped : char32_t{0xF000} + byte;
}

} // namespace tevrix
