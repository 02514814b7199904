// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichDocument.h"
#include "richtext/RtfReader.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace tevrix::test {

inline std::string ReadFixture(const std::string& relativePath) {
    std::ifstream file(std::string(TEVRIX_FIXTURES) + "/" + relativePath, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The paragraphs outside tables, in order.
inline std::vector<const RichParagraph*> Paragraphs(const RichDocument& document) {
    std::vector<const RichParagraph*> result;
    for (const RichBlock& block : document.Blocks) {
        if (const auto* paragraph = std::get_if<RichParagraph>(&block))
            result.push_back(paragraph);
    }
    return result;
}

inline std::vector<const RichTable*> Tables(const RichDocument& document) {
    std::vector<const RichTable*> result;
    for (const RichBlock& block : document.Blocks) {
        if (const auto* table = std::get_if<RichTable>(&block))
            result.push_back(table);
    }
    return result;
}

inline void CollectRuns(const RichParagraph& paragraph, std::vector<const RichRun*>& runs) {
    for (const RichRun& run : paragraph.Runs)
        runs.push_back(&run);
}

// Every run of the document, table cells included, in reading order.
inline std::vector<const RichRun*> AllRuns(const RichDocument& document) {
    std::vector<const RichRun*> runs;
    for (const RichBlock& block : document.Blocks) {
        if (const auto* paragraph = std::get_if<RichParagraph>(&block)) {
            CollectRuns(*paragraph, runs);
            continue;
        }
        for (const RichTableRow& row : std::get<RichTable>(block).Rows)
            for (const RichTableCell& cell : row.Cells)
                for (const RichParagraph& paragraph : cell.Paragraphs)
                    CollectRuns(paragraph, runs);
    }
    return runs;
}

// The one text run whose text is `text`; fails the test when there is none.
inline RichCharFormat FormatOf(const RichDocument& document, const std::string& text) {
    for (const RichRun* run : AllRuns(document)) {
        if (run->Text == text)
            return run->Format;
    }
    ADD_FAILURE() << "no run \"" << text << "\"";
    return {};
}

inline std::vector<const RichPicture*> Pictures(const RichDocument& document) {
    std::vector<const RichPicture*> pictures;
    for (const RichRun* run : AllRuns(document)) {
        if (run->Picture)
            pictures.push_back(&*run->Picture);
    }
    return pictures;
}

inline std::string ParagraphText(const RichParagraph& paragraph) {
    std::string text;
    for (const RichRun& run : paragraph.Runs)
        text += run.Text;
    return text;
}

} // namespace tevrix::test
