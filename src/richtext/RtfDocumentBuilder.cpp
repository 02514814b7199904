// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RtfDocumentBuilder.h"

#include <utility>

namespace tevrix {

void RtfDocumentBuilder::AppendText(std::string_view utf8, const RichCharFormat& format) {
    if (utf8.empty())
        return;
    std::vector<RichRun>& runs = m_paragraph.Runs;
    if (!runs.empty() && !runs.back().Picture && runs.back().Format == format) {
        runs.back().Text += utf8;
        return;
    }
    runs.push_back({format, std::string(utf8), std::nullopt});
}

void RtfDocumentBuilder::AppendPicture(RichPicture picture, const RichCharFormat& format) {
    m_paragraph.Runs.push_back({format, std::string(), std::move(picture)});
}

void RtfDocumentBuilder::EndParagraph(const RichParagraphFormat& format, bool inTable) {
    m_paragraph.Format = format;
    if (inTable) {
        m_cell.push_back(std::move(m_paragraph));
    } else {
        EndTable();
        m_document.Blocks.emplace_back(std::move(m_paragraph));
    }
    m_paragraph = {};
}

void RtfDocumentBuilder::EndCell(const RichParagraphFormat& format) {
    EndParagraph(format, true);
    m_row.push_back({0, std::move(m_cell)});
    m_cell.clear();
}

size_t RtfDocumentBuilder::RowCellCount() const {
    return m_row.size() + (!m_cell.empty() || !m_paragraph.Runs.empty() ? 1 : 0);
}

void RtfDocumentBuilder::EndRow(const std::vector<int>& cellWidths, bool bordered) {
    if (!m_cell.empty() || !m_paragraph.Runs.empty()) // text after the last \cell of the row
        EndCell({});
    FinishRow(cellWidths, bordered);
}

void RtfDocumentBuilder::FinishRow(const std::vector<int>& cellWidths, bool bordered) {
    if (!m_cell.empty()) {
        m_row.push_back({0, std::move(m_cell)});
        m_cell.clear();
    }
    if (m_row.empty())
        return;
    for (size_t i = 0; i < m_row.size() && i < cellWidths.size(); ++i)
        m_row[i].Width = cellWidths[i];
    // Tables are shown as grids: a row of another number of cells starts a
    // table of its own, so that ragged rows cannot make a grid of rows times
    // the widest row, far larger than the cells the document holds.
    if (!m_table.Rows.empty() && m_table.Rows.back().Cells.size() != m_row.size())
        PushTable();
    m_table.Rows.push_back({std::move(m_row)});
    m_table.Bordered = m_table.Bordered || bordered;
    m_row.clear();
}

void RtfDocumentBuilder::PushTable() {
    if (m_table.Rows.empty())
        return;
    m_document.Blocks.emplace_back(std::move(m_table));
    m_table = {};
}

RichDocument RtfDocumentBuilder::Finish(const RichParagraphFormat& lastFormat, bool lastInTable) {
    if (!m_paragraph.Runs.empty())
        EndParagraph(lastFormat, lastInTable);
    EndTable();
    return std::move(m_document);
}

void RtfDocumentBuilder::EndTable() {
    if (!m_cell.empty() || !m_row.empty())
        FinishRow({}, false); // a row cut off by the end of the table or the data
    PushTable();
}

} // namespace tevrix
