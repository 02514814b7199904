// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tevrix {

// A GUID written as 38 characters: "{" 8-4-4-4-12 upper-case hexadecimal "}".
// The 16 bytes are laid out as Windows does (first three groups little-endian
// in memory, shown as numbers).
std::string GuidToText(const std::array<uint8_t, 16>& bytes);

// A new random GUID (version 4) as text.
std::string NewGuidText();

} // namespace tevrix
