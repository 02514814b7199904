// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tevrix {

// Reads a number the way the station has always read its configuration:
// decimal with an optional sign ("-12", "+7"), or hexadecimal after "0x",
// "0X" or "$" ("0x1F40", "$ff"), the whole text and nothing else. Decimal
// must fit a signed 32-bit integer; hexadecimal may use all 32 bits, so
// "0xFFFFFFFF" is -1. Anything else is no number.
std::optional<int32_t> ParseProfileInteger(std::string_view text);

} // namespace tevrix
