// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichDocument.h"
#include "richtext/RichText.h"

#include <string>

namespace tevrix {

// The plain text of a rich text, for places that show one line or no
// formatting (the task list, the test information, `tvf dump --plain`):
// paragraphs and line breaks become '\n', table cells are separated by tabs
// and end their row with '\n', pictures leave nothing. Leading and trailing
// blanks, line breaks and control characters are removed, so a text of only
// blanks gives the empty text.
std::string RichToPlain(const RichText& text);
std::string RichToPlain(const RichDocument& document);

} // namespace tevrix
