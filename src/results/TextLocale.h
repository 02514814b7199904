// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tevrix {

// How the result outputs word their texts: the interface translation (the
// Russian source text in, the current language's text out) and the decimal
// separator of "%1.1f". Both are passed in so that tests fix them.
struct TextLocale {
    std::function<std::string(std::string_view)> Translate;
    char DecimalSeparator = '.';

    // The translated text; the source text itself when there is no translation.
    std::string Tr(std::string_view text) const {
        return Translate ? Translate(text) : std::string(text);
    }
};

} // namespace tevrix
