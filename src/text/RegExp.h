// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tevrix {

// Rewrites the Cyrillic ranges of a pattern's character classes the way the
// station's patterns have always read them: а-я also takes ё, А-Я also takes
// Ё, and а-Я (which a plain regular expression engine refuses as out of
// order) stands for every Cyrillic letter of both cases with Ё and ё. Only
// these three exact ranges change; text outside character classes, escaped
// characters and \Q...\E quotes are copied as they are.
std::string WidenCyrillicRanges(std::string_view pattern);

// A regular expression of the Perl family (PCRE2, UTF-8 mode) over UTF-8
// texts: case-sensitive, no implicit anchors, a match anywhere in the text
// suffices. The Cyrillic ranges are widened before compiling. A pattern that
// does not compile gives an object that matches nothing and carries the
// engine's message; nothing throws.
class RegExp {
public:
    explicit RegExp(std::string_view pattern);
    ~RegExp();
    RegExp(RegExp&&) noexcept;
    RegExp& operator=(RegExp&&) noexcept;
    RegExp(const RegExp&) = delete;
    RegExp& operator=(const RegExp&) = delete;

    bool IsValid() const { return m_code != nullptr; }
    // The engine's message for a pattern that did not compile; empty when
    // the pattern is valid.
    const std::string& Error() const { return m_error; }

    // True when the pattern matches somewhere in `text`. An invalid pattern,
    // a text that is not UTF-8 or a match that exceeds the engine's limits
    // gives false.
    bool Search(std::string_view text) const;

private:
    struct Code;
    std::unique_ptr<Code> m_code;
    std::string m_error;
};

} // namespace tevrix
