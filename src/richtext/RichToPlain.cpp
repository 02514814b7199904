// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RichToPlain.h"

#include "text/Strings.h"

namespace tevrix {
namespace {

void AppendParagraph(const RichParagraph& paragraph, std::string& out) {
    for (const RichRun& run : paragraph.Runs)
        out += run.Text;
}

void AppendParagraphs(const std::vector<RichParagraph>& paragraphs, std::string& out) {
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            out += '\n';
        AppendParagraph(paragraphs[i], out);
    }
}

void AppendTable(const RichTable& table, std::string& out) {
    for (size_t r = 0; r < table.Rows.size(); ++r) {
        if (r > 0)
            out += '\n';
        const std::vector<RichTableCell>& cells = table.Rows[r].Cells;
        for (size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                out += '\t';
            AppendParagraphs(cells[c].Paragraphs, out);
        }
    }
}

} // namespace

std::string RichToPlain(const RichText& text) {
    return RichToPlain(ReadRichDocument(text));
}

std::string RichToPlain(const RichDocument& document) {
    std::string out;
    for (size_t i = 0; i < document.Blocks.size(); ++i) {
        if (i > 0)
            out += '\n';
        if (const auto* paragraph = std::get_if<RichParagraph>(&document.Blocks[i]))
            AppendParagraph(*paragraph, out);
        else
            AppendTable(std::get<RichTable>(document.Blocks[i]), out);
    }
    return Trim(out);
}

} // namespace tevrix
