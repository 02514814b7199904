// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tevrix {

// The translation of one interface text. Interface texts are written in
// Russian (UTF-8) and are their own message ids in the text domain
// "default"; the station binds that domain to its catalogues at start-up.
// Without a catalogue, or without an entry, the source text comes back.
std::string TranslateText(const char* source);

// Marks an interface text where it is written down, so that xgettext finds
// it (scripts/extract-messages.sh); it is translated where it is shown.
constexpr const char* N_(const char* text) {
    return text;
}

} // namespace tevrix
