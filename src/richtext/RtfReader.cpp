// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RtfReader.h"

#include "richtext/RtfParser.h"

namespace tevrix {

RichDocument ReadRtf(std::string_view rtf) {
    return RtfParser::Read(rtf);
}

} // namespace tevrix
