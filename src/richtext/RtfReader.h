// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichDocument.h"

#include <cstddef>
#include <string_view>

namespace tevrix {

// Reads an RTF document into the neutral document: what Windows rich-edit
// controls and word processors write (font, colour and style tables, text in
// any code page or as \u, character and paragraph formatting, pictures,
// HYPERLINK fields, simple tables). Whatever else the document holds is
// skipped.
//
// The reader trusts nothing in the data: nesting deeper than kRtfMaxDepth is
// skipped, unbalanced braces and a cut-off end keep what was read, counts
// and sizes are clamped, and memory stays proportional to the input. It is a
// pure function of the bytes.
RichDocument ReadRtf(std::string_view rtf);

// How deep groups nest before the rest of a group is skipped.
inline constexpr int kRtfMaxDepth = 128;
// Group states are copied at every '{', so nothing in them may grow with the
// data: these bound what a state holds.
inline constexpr size_t kRtfMaxTabStops = 64;       // as many as word processors allow
inline constexpr size_t kRtfMaxLinkLength = 1024;   // longer field codes are no links
inline constexpr size_t kRtfMaxFontNameLength = 64; // Windows allows 31 characters

} // namespace tevrix
