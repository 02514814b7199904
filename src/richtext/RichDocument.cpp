// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RichDocument.h"

#include "richtext/RtfReader.h"
#include "text/Cp1251.h"

namespace tevrix {
namespace {

// Plain text: one paragraph per line (CR LF, LF or CR), each one run in the
// area's default format. A line end at the very end opens no empty line.
RichDocument ReadPlainText(std::string_view bytes) {
    RichDocument document;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        RichParagraph paragraph;
        if (end > start)
            paragraph.Runs.push_back({{}, Cp1251ToUtf8(bytes.substr(start, end - start)), {}});
        document.Blocks.emplace_back(std::move(paragraph));
        start = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++start;
    }
    return document;
}

} // namespace

RichDocument ReadRichDocument(const RichText& text) {
    return text.IsRtf() ? ReadRtf(text.Bytes) : ReadPlainText(text.Bytes);
}

} // namespace tevrix
