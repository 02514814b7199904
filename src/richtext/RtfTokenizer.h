// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace tevrix {

enum class RtfTokenType {
    GroupStart,    // {
    GroupEnd,      // }
    ControlWord,   // \name or \nameN, the delimiting space swallowed
    ControlSymbol, // \ followed by one non-letter; \'hh is a symbol with Hex set
    Text,          // a stretch of plain bytes, line ends removed
    End,
};

struct RtfToken {
    RtfTokenType Type = RtfTokenType::End;
    // ControlWord: the name (at most kMaxNameLength letters); ControlSymbol:
    // the one character; Text: the bytes.
    std::string_view Text;
    bool HasParameter = false;
    int32_t Parameter = 0;
    // ControlSymbol '\'': the byte given by the two hexadecimal digits, or -1
    // when they are missing or malformed (the escape is then dropped).
    int Hex = -1;
};

// Splits RTF bytes into tokens. It never reads past the data: a control word
// or an escape cut off by the end yields what is there, and the End token
// follows. Parameters are clamped to the int32 range however many digits
// they have.
class RtfTokenizer {
public:
    static constexpr size_t kMaxNameLength = 32;

    explicit RtfTokenizer(std::string_view data) : m_data(data) {}

    RtfToken Next();
    // The `count` raw bytes after \binN (fewer when the data ends first).
    std::string_view TakeBinary(int64_t count);

private:
    RtfToken ReadControl();
    RtfToken ReadControlWord();
    RtfToken ReadHexEscape();
    RtfToken ReadText();
    int HexDigit(size_t position) const;

    std::string_view m_data;
    size_t m_position = 0;
};

} // namespace tevrix
