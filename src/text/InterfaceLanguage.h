// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tevrix {

// The interface languages the station knows: Russian, the language its texts
// are written in, and the two that come from catalogues.
inline constexpr const char* kRussian = "ru";
inline constexpr const char* kUkrainian = "uk";
inline constexpr const char* kBelarusian = "be";

// The file beside the program that chooses the language at start-up.
inline constexpr const char* kLanguageFileName = "language.txt";

// The language a language file asks for: the value of its first line named
// "language" (the name in any letter case, "name=value"), blanks trimmed at
// both ends. Only "ru", "uk" and "be", exactly so written, are languages;
// anything else, or no such line, means Russian.
std::string LanguageOfText(std::string_view text);

// The same for the file at `path`; a missing or unreadable file means
// Russian. Only the file's beginning is read: a language line is short.
std::string LanguageOfFile(const std::string& path);

// Binds the text domain to the catalogues below `folder`
// (<language>/LC_MESSAGES/default.mo), read as UTF-8.
void BindCatalogues(const std::string& folder);

// Makes the catalogue of `language` current: every text translated from now
// on comes from it, or stays Russian where it has no entry or there is no
// catalogue. Whatever the user's locale is, only `language` is looked up.
void UseLanguage(const std::string& language);

// The language last made current ("ru" before any).
std::string CurrentLanguage();

} // namespace tevrix
