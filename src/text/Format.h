// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tevrix {

// One argument of Format: a text, an integer or a floating-point number.
using FormatArg = std::variant<std::string, long long, double>;

// printf-style formatting of the program's texts. Understands %s, %d, %1.1f
// (any width.precision f, written with `decimalSeparator`) and %%. Each
// placeholder takes the next argument; one without an argument, or with one
// of the wrong type, is written as it stands, so a bad translation can never
// crash the program.
std::string Format(std::string_view pattern, const std::vector<FormatArg>& args,
                   char decimalSeparator);

// The same with the decimal separator of the user's locale.
std::string Format(std::string_view pattern, const std::vector<FormatArg>& args);

// The decimal separator of the user's numeric locale ('.' when it has none).
char SystemDecimalSeparator();

// A floating-point number with `decimals` digits after `decimalSeparator`.
std::string FormatFixed(double value, int decimals, char decimalSeparator);

} // namespace tevrix
