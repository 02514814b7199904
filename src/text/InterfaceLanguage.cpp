// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/InterfaceLanguage.h"

#include "text/Strings.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <libintl.h>

namespace tevrix {
namespace {

constexpr const char* kTextDomain = "default";
// More than any language file needs; a larger file is read this far.
constexpr std::streamsize kMaxLanguageFile = 64 * 1024;

std::string& Current() {
    static std::string language = kRussian;
    return language;
}

bool IsLanguageName(std::string_view name) {
    constexpr std::string_view wanted = "language";
    if (name.size() != wanted.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? char(name[i] - 'A' + 'a') : name[i];
        if (c != wanted[i])
            return false;
    }
    return true;
}

} // namespace

std::string LanguageOfText(std::string_view text) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos || !IsLanguageName(Trim(line.substr(0, equals))))
            continue;
        const std::string value = Trim(line.substr(equals + 1));
        for (const char* known : {kRussian, kUkrainian, kBelarusian})
            if (value == known)
                return known;
        return kRussian;
    }
    return kRussian;
}

std::string LanguageOfFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return kRussian;
    std::string text(kMaxLanguageFile, '\0');
    file.read(text.data(), kMaxLanguageFile);
    text.resize(size_t(file.gcount()));
    return LanguageOfText(text);
}

void BindCatalogues(const std::string& folder) {
    bindtextdomain(kTextDomain, folder.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
    textdomain(kTextDomain);
}

void UseLanguage(const std::string& language) {
    // gettext takes LANGUAGE before the locale's own language, but not while
    // the messages locale is "C": a UTF-8 locale that is not "C" by name
    // lets it count whatever the user's locale says.
    std::setlocale(LC_MESSAGES, "C.UTF-8");
    setenv("LANGUAGE", language.c_str(), 1);
    // Setting the domain again makes gettext forget the translations it
    // looked up for the previous language.
    textdomain(kTextDomain);
    Current() = language;
}

std::string CurrentLanguage() {
    return Current();
}

} // namespace tevrix
