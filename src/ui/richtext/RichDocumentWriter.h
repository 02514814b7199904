// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichDocument.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <utility>
#include <vector>

namespace tevrix {

// Writes a neutral rich document into a QTextDocument at a cursor: runs as
// formatted text, pictures as document images, tables as text tables. What
// the document leaves open (no font, no size, no colour) is left to the
// document's default font and colours. Sizes are written at 100 percent
// with their zoom bases (RichZoom). The cursor ends after the material.
class RichDocumentWriter {
public:
    explicit RichDocumentWriter(QTextCursor& cursor) : m_cursor(cursor) {}

    // The first paragraph continues the cursor's block and takes its
    // paragraph format. With `closeLastParagraph` the material ends with a
    // paragraph break, as text copied whole from a rich-edit control does,
    // and the cursor keeps the format of the material's end.
    void Write(const RichDocument& document, bool closeLastParagraph);

    static QTextCharFormat CharFormat(const RichCharFormat& format);
    static QTextBlockFormat BlockFormat(const RichParagraphFormat& format);
    static QList<QTextOption::Tab> TabPositions(const RichParagraphFormat& format);

private:
    // A document uses few formats over and over; converting each once, and
    // handing Qt the same format object, saves most of the cost of a run.
    static constexpr size_t kMaxCachedFormats = 32;
    const QTextCharFormat& CachedCharFormat(const RichCharFormat& format);

    void WriteParagraph(QTextCursor& cursor, const RichParagraph& paragraph);
    void WriteTable(const RichTable& table);
    void WritePicture(QTextCursor& cursor, const RichPicture& picture, const RichRun& run);

    QTextCursor& m_cursor;
    QTextCharFormat m_lastFormat;
    std::vector<std::pair<RichCharFormat, QTextCharFormat>> m_formats;
};

} // namespace tevrix
