// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tevrix {

// A rich text as the test file carries it: the raw 8-bit bytes of an RTF
// document or of plain Windows-1251 text. It is never re-encoded; only the
// rich-text reader decodes it.
struct RichText {
    std::string Bytes;

    bool Empty() const { return Bytes.empty(); }
    bool IsRtf() const { return Bytes.rfind("{\\rtf", 0) == 0; }
    friend bool operator==(const RichText&, const RichText&) = default;
};

} // namespace tevrix
