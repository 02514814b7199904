// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace tevrix {
namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

RtfToken MakeToken(RtfTokenType type, std::string_view text = {}) {
    RtfToken token;
    token.Type = type;
    token.Text = text;
    return token;
}

} // namespace

RtfToken RtfTokenizer::Next() {
    while (m_position < m_data.size()) {
        const char c = m_data[m_position];
        if (c == '\r' || c == '\n') { // line ends in RTF are only for readability
            ++m_position;
            continue;
        }
        if (c == '{') {
            ++m_position;
            return MakeToken(RtfTokenType::GroupStart);
        }
        if (c == '}') {
            ++m_position;
            return MakeToken(RtfTokenType::GroupEnd);
        }
        if (c == '\\')
            return ReadControl();
        return ReadText();
    }
    return MakeToken(RtfTokenType::End);
}

std::string_view RtfTokenizer::TakeBinary(int64_t count) {
    const size_t available = m_data.size() - m_position;
    const size_t size =
        count <= 0 ? 0 : std::min<uint64_t>(static_cast<uint64_t>(count), available);
    const std::string_view bytes = m_data.substr(m_position, size);
    m_position += size;
    return bytes;
}

RtfToken RtfTokenizer::ReadControl() {
    ++m_position; // the backslash
    if (m_position >= m_data.size())
        return MakeToken(RtfTokenType::End);
    const char c = m_data[m_position];
    if (IsLetter(c))
        return ReadControlWord();
    if (c == '\'')
        return ReadHexEscape();
    RtfToken token = MakeToken(RtfTokenType::ControlSymbol, m_data.substr(m_position, 1));
    ++m_position;
    return token;
}

RtfToken RtfTokenizer::ReadControlWord() {
    const size_t start = m_position;
    while (m_position < m_data.size() && IsLetter(m_data[m_position]))
        ++m_position;
    RtfToken token = MakeToken(RtfTokenType::ControlWord,
                               m_data.substr(start, std::min(m_position - start, kMaxNameLength)));

    bool negative = false;
    if (m_position + 1 < m_data.size() && m_data[m_position] == '-' &&
        IsDigit(m_data[m_position + 1])) {
        negative = true;
        ++m_position;
    }
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    while (m_position < m_data.size() && IsDigit(m_data[m_position])) {
        token.HasParameter = true;
        value = std::min(value * 10 + (m_data[m_position] - '0'), kLimit);
        ++m_position;
    }
    if (negative)
        value = -value;
    token.Parameter = static_cast<int32_t>(std::clamp<int64_t>(
        value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    if (m_position < m_data.size() && m_data[m_position] == ' ')
        ++m_position; // the delimiter belongs to the control word
    return token;
}

RtfToken RtfTokenizer::ReadHexEscape() {
    RtfToken token = MakeToken(RtfTokenType::ControlSymbol, m_data.substr(m_position, 1));
    ++m_position; // the apostrophe
    const int high = HexDigit(m_position);
    const int low = high < 0 ? -1 : HexDigit(m_position + 1);
    if (high >= 0 && low >= 0) {
        token.Hex = high * 16 + low;
        m_position += 2;
    }
    return token;
}

RtfToken RtfTokenizer::ReadText() {
    const size_t start = m_position;
    while (m_position < m_data.size()) {
        const char c = m_data[m_position];
        if (c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n')
            break;
        ++m_position;
    }
    return MakeToken(RtfTokenType::Text, m_data.substr(start, m_position - start));
}

int RtfTokenizer::HexDigit(size_t position) const {
    if (position >= m_data.size())
        return -1;
    const char c = m_data[position];
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace tevrix
