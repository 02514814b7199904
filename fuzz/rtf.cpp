// SPDX-License-Identifier: GPL-3.0-or-later
// A rich text (RTF, or plain Windows-1251 text when it does not start as RTF)
// through the reader, and the reader's document into plain text. Every text that comes out is
// UTF-8, and the text a document holds grows no faster than its input.
// Run with -dict=fuzz/rtf.dict.
#include "FuzzSupport.h"
#include "richtext/RichDocument.h"
#include "richtext/RichToPlain.h"
#include "richtext/RtfReader.h"

#include <variant>

using namespace tevrix;

namespace {

bool IsUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        const size_t length = lead < 0x80                   ? 1
                              : lead >= 0xC2 && lead < 0xE0 ? 2
                              : lead >= 0xE0 && lead < 0xF0 ? 3
                              : lead >= 0xF0 && lead < 0xF5 ? 4
                                                            : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// Checks every run's text; returns the text bytes of the paragraph.
size_t CheckParagraph(const RichParagraph& paragraph) {
    size_t bytes = 0;
    for (const RichRun& run : paragraph.Runs) {
        fuzz::Check(IsUtf8(run.Text), "a run's text is UTF-8");
        fuzz::Check(!run.Picture || run.Text.empty(), "a picture run holds no text");
        bytes += run.Text.size();
    }
    return bytes;
}

size_t CheckDocument(const RichDocument& document) {
    size_t bytes = 0;
    for (const RichBlock& block : document.Blocks) {
        if (const auto* paragraph = std::get_if<RichParagraph>(&block)) {
            bytes += CheckParagraph(*paragraph);
            continue;
        }
        for (const RichTableRow& row : std::get<RichTable>(block).Rows)
            for (const RichTableCell& cell : row.Cells)
                for (const RichParagraph& paragraph : cell.Paragraphs)
                    bytes += CheckParagraph(paragraph);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader takes any bytes, whether they start as RTF or not.
    const RichText text{std::string(fuzz::AsText(data, size))};
    const RichDocument document = ReadRtf(text.Bytes);
    // A byte becomes at most the three bytes of one character (Windows-1251
    // or \uN), a symbol word at most its own length in bytes.
    fuzz::Check(CheckDocument(document) <= 3 * size + 16, "text grows with the input");
    fuzz::Check(IsUtf8(RichToPlain(document)), "plain text is UTF-8");
    if (!text.IsRtf()) {
        const RichDocument plainDocument = ReadRichDocument(text);
        fuzz::Check(CheckDocument(plainDocument) <= 3 * size, "plain text grows with the input");
        fuzz::Check(IsUtf8(RichToPlain(plainDocument)), "plain text is UTF-8");
    }
    return 0;
}
