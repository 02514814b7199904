// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/Format.h"
#include "text/Translate.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

// How the result outputs word their texts: the interface translation (the
// Russian source text in, the current language's text out) and the decimal
// separator of "%1.1f". Without a Translate function the station's
// catalogues are used (TranslateText), and the separator is the user's
// locale's unless one is given; tests put their own in.
struct TextLocale {
    std::function<std::string(std::string_view)> Translate;
    char DecimalSeparator = SystemDecimalSeparator();

    std::string Tr(std::string_view text) const {
        return Translate ? Translate(text) : TranslateText(std::string(text).c_str());
    }

    // The translated `pattern` with its placeholders filled (Format), numbers
    // written with this locale's decimal separator.
    std::string TrFormat(std::string_view pattern, const std::vector<FormatArg>& args) const {
        return Format(Tr(pattern), args, DecimalSeparator);
    }
};

} // namespace tevrix
