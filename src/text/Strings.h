// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tevrix {

// Removes leading and trailing blanks and control characters (every byte up to
// and including the space), as the pupil's names and typed answers are trimmed.
std::string Trim(std::string_view text);

// Whether two texts are equal when ASCII letters are compared without case
// (names of fonts, field codes).
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Unicode upper-casing of a UTF-8 text for the Latin and Cyrillic letters
// (a-z, Latin-1 letters, every Cyrillic letter including ё, ї, і, є, ґ, ў);
// everything else is kept as it is.
std::string UpperCase(std::string_view text);
char32_t UpperCaseChar(char32_t c);

} // namespace tevrix
