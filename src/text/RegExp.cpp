// SPDX-License-Identifier: GPL-3.0-or-later
#define PCRE2_CODE_UNIT_WIDTH 8
#include "text/RegExp.h"

#include "text/Cp1251.h"

#include <algorithm>
#include <pcre2.h>

namespace tevrix {
namespace {

struct CyrillicRange {
    char32_t First;
    char32_t Last;
    const char* Widened;
};

// U+0410 А .. U+042F Я, U+0430 а .. U+044F я, U+0401 Ё, U+0451 ё.
constexpr CyrillicRange kCyrillicRanges[] = {
    {U'а', U'я', "а-яё"},
    {U'А', U'Я', "А-ЯЁ"},
    {U'а', U'Я', "А-яЁё"},
};

const char* WidenedRange(char32_t first, char32_t last) {
    for (const CyrillicRange& range : kCyrillicRanges)
        if (range.First == first && range.Last == last)
            return range.Widened;
    return nullptr;
}

// Walks a pattern and copies it, widening the ranges of its character classes.
class PatternRewriter {
public:
    explicit PatternRewriter(std::string_view pattern) : m_pattern(pattern) {}

    std::string Run() {
        while (!AtEnd()) {
            if (LooksAt("\\Q"))
                CopyQuote();
            else if (LooksAt("\\"))
                CopyEscape();
            else if (LooksAt("["))
                CopyClass();
            else
                CopyCodePoint();
        }
        return m_out;
    }

private:
    bool AtEnd() const { return m_pos >= m_pattern.size(); }
    bool LooksAt(std::string_view text) const { return m_pattern.substr(m_pos).starts_with(text); }

    void CopyBytes(size_t count) {
        count = std::min(count, m_pattern.size() - m_pos);
        m_out.append(m_pattern.substr(m_pos, count));
        m_pos += count;
    }

    void CopyCodePoint() {
        const size_t start = m_pos;
        DecodeUtf8(m_pattern, m_pos);
        m_out.append(m_pattern.substr(start, m_pos - start));
    }

    // A backslash and the character it escapes.
    void CopyEscape() {
        CopyBytes(1);
        if (!AtEnd())
            CopyCodePoint();
    }

    // \Q...\E quotes everything up to \E (or the end) literally.
    void CopyQuote() {
        const size_t end = m_pattern.find("\\E", m_pos + 2);
        CopyBytes(end == std::string_view::npos ? m_pattern.size() - m_pos : end + 2 - m_pos);
    }

    void CopyClass() {
        CopyBytes(1); // [
        if (LooksAt("^"))
            CopyBytes(1);
        if (LooksAt("]")) // a ] right at the start is a literal member
            CopyBytes(1);
        while (!AtEnd() && !LooksAt("]")) {
            if (LooksAt("\\Q"))
                CopyQuote();
            else if (LooksAt("\\"))
                CopyEscape();
            else if (LooksAt("[:"))
                CopyPosixClass();
            else
                CopyClassMember();
        }
        CopyBytes(1); // ]
    }

    void CopyPosixClass() {
        const size_t end = m_pattern.find(":]", m_pos + 2);
        if (end == std::string_view::npos)
            CopyBytes(1);
        else
            CopyBytes(end + 2 - m_pos);
    }

    // A literal character, or a range of two literal characters, which is
    // widened when it is one of the Cyrillic ranges.
    void CopyClassMember() {
        const size_t start = m_pos;
        const char32_t first = DecodeUtf8(m_pattern, m_pos);
        const bool range = LooksAt("-") && m_pos + 1 < m_pattern.size() &&
                           m_pattern[m_pos + 1] != ']' && m_pattern[m_pos + 1] != '\\' &&
                           m_pattern[m_pos + 1] != '[';
        if (!range) {
            m_out.append(m_pattern.substr(start, m_pos - start));
            return;
        }
        size_t after = m_pos + 1;
        const char32_t last = DecodeUtf8(m_pattern, after);
        if (const char* widened = WidenedRange(first, last))
            m_out.append(widened);
        else
            m_out.append(m_pattern.substr(start, after - start));
        m_pos = after;
    }

    std::string_view m_pattern;
    size_t m_pos = 0;
    std::string m_out;
};

} // namespace

std::string WidenCyrillicRanges(std::string_view pattern) {
    return PatternRewriter(pattern).Run();
}

struct RegExp::Code {
    pcre2_code* Compiled = nullptr;
    ~Code() { pcre2_code_free(Compiled); }
};

RegExp::RegExp(std::string_view pattern) {
    const std::string widened = WidenCyrillicRanges(pattern);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* compiled =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(widened.data()), widened.size(), PCRE2_UTF,
                      &errorCode, &errorOffset, nullptr);
    if (compiled == nullptr) {
        PCRE2_UCHAR buffer[256];
        const int length = pcre2_get_error_message(errorCode, buffer, sizeof buffer);
        m_error = length > 0 ? std::string(reinterpret_cast<const char*>(buffer), length)
                             : "invalid regular expression";
        return;
    }
    m_code = std::make_unique<Code>();
    m_code->Compiled = compiled;
}

RegExp::~RegExp() = default;
RegExp::RegExp(RegExp&&) noexcept = default;
RegExp& RegExp::operator=(RegExp&&) noexcept = default;

bool RegExp::Search(std::string_view text) const {
    if (!m_code)
        return false;
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(m_code->Compiled, nullptr);
    if (data == nullptr)
        return false;
    // The engine wants a real address even for an empty subject.
    const char* subject = text.empty() ? "" : text.data();
    const int result = pcre2_match(m_code->Compiled, reinterpret_cast<PCRE2_SPTR>(subject),
                                   text.size(), 0, 0, data, nullptr);
    pcre2_match_data_free(data);
    return result >= 0;
}

} // namespace tevrix
