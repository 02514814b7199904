// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichDocument.h"

#include <string_view>
#include <vector>

namespace tevrix {

// Assembles the neutral document in reading order: runs into the paragraph
// under way, paragraphs into the document or into the table cell under way,
// cells into rows and rows into tables. Text of the same format in a row
// joins one run.
class RtfDocumentBuilder {
public:
    void AppendText(std::string_view utf8, const RichCharFormat& format);
    void AppendPicture(RichPicture picture, const RichCharFormat& format);

    // \par: ends the paragraph under way with `format`; `inTable` puts it in
    // the table cell under way, otherwise a table under way ends first.
    void EndParagraph(const RichParagraphFormat& format, bool inTable);
    // \cell: the paragraph under way (even an empty one) ends the cell.
    void EndCell(const RichParagraphFormat& format);
    // The cells the row under way has, counting text not yet ended by \cell.
    size_t RowCellCount() const;
    // \row: the cells so far make a row of the table under way. `cellWidths`
    // are the widths the row definition gave, in twips.
    void EndRow(const std::vector<int>& cellWidths, bool bordered);

    // Ends what is under way (text after the last \par is one more
    // paragraph) and hands the document over.
    RichDocument Finish(const RichParagraphFormat& lastFormat, bool lastInTable);

private:
    // Closes the row from the cells so far (paragraphs ended inside a cell
    // that \cell never closed make one more cell).
    void FinishRow(const std::vector<int>& cellWidths, bool bordered);
    // Ends the row under way, then the table.
    void EndTable();
    // Moves the table's rows so far into the document.
    void PushTable();

    RichDocument m_document;
    RichParagraph m_paragraph;
    std::vector<RichParagraph> m_cell;
    std::vector<RichTableCell> m_row;
    RichTable m_table;
};

} // namespace tevrix
