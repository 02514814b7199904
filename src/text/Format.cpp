// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Format.h"

#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <langinfo.h>

namespace tevrix {

char SystemDecimalSeparator() {
    // Read the user's LC_NUMERIC without changing the program's own locale.
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0))
        return '.';
    const char* sep = nl_langinfo_l(RADIXCHAR, user);
    const char result = sep && sep[0] ? sep[0] : '.';
    freelocale(user);
    return result;
}

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
    if (!std::isfinite(value))
        value = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string out = buffer;
    for (char& c : out)
        if (c == '.')
            c = decimalSeparator;
    return out;
}

std::string Format(std::string_view pattern, const std::vector<FormatArg>& args,
                   char decimalSeparator) {
    std::string out;
    size_t next = 0;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            ++i;
            continue;
        }
        if (pattern[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // %[width][.precision]conversion
        size_t j = i + 1;
        while (j < pattern.size() &&
               (std::isdigit(static_cast<unsigned char>(pattern[j])) || pattern[j] == '.'))
            ++j;
        if (j >= pattern.size()) {
            out.append(pattern.substr(i));
            break;
        }
        const std::string_view widthAndPrecision = pattern.substr(i + 1, j - i - 1);
        const char conversion = pattern[j];
        const FormatArg* arg = next < args.size() ? &args[next] : nullptr;
        bool done = false;
        if (conversion == 's' && arg && std::holds_alternative<std::string>(*arg)) {
            out += std::get<std::string>(*arg);
            done = true;
        } else if (conversion == 'd' && arg && std::holds_alternative<long long>(*arg)) {
            out += std::to_string(std::get<long long>(*arg));
            done = true;
        } else if (conversion == 'f' && arg &&
                   (std::holds_alternative<double>(*arg) ||
                    std::holds_alternative<long long>(*arg))) {
            const double value = std::holds_alternative<double>(*arg)
                                     ? std::get<double>(*arg)
                                     : static_cast<double>(std::get<long long>(*arg));
            const size_t dot = widthAndPrecision.find('.');
            int decimals = 6;
            if (dot != std::string_view::npos)
                decimals = std::atoi(std::string(widthAndPrecision.substr(dot + 1)).c_str());
            out += FormatFixed(value, decimals, decimalSeparator);
            done = true;
        }
        if (!done)
            out.append(pattern.substr(i, j - i + 1));
        if (conversion == 's' || conversion == 'd' || conversion == 'f')
            ++next; // placeholders take their arguments by position, fitting or not
        i = j + 1;
    }
    return out;
}

std::string Format(std::string_view pattern, const std::vector<FormatArg>& args) {
    return Format(pattern, args, SystemDecimalSeparator());
}

} // namespace tevrix
