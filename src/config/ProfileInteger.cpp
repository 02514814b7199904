// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ProfileInteger.h"

namespace tevrix {
namespace {

int DigitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The digits of `text` in `base`, while the value stays at most `limit`.
std::optional<uint64_t> ParseDigits(std::string_view text, int base, uint64_t limit) {
    if (text.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

std::optional<int32_t> ParseHex(std::string_view digits) {
    const auto value = ParseDigits(digits, 16, 0xFFFFFFFFu);
    if (!value)
        return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(*value));
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
    const bool negative = text.starts_with("-");
    if (negative || text.starts_with("+"))
        text.remove_prefix(1);
    const auto value = ParseDigits(text, 10, negative ? 2147483648u : 2147483647u);
    if (!value)
        return std::nullopt;
    const int64_t signedValue = static_cast<int64_t>(*value);
    return static_cast<int32_t>(negative ? -signedValue : signedValue);
}

} // namespace

std::optional<int32_t> ParseProfileInteger(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X"))
        return ParseHex(text.substr(2));
    if (text.starts_with("$"))
        return ParseHex(text.substr(1));
    return ParseDecimal(text);
}

} // namespace tevrix
