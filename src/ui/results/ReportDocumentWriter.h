// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichText.h"

#include <QColor>
#include <QTextCharFormat>
#include <QTextCursor>

#include <string>

class QImage;
class QTextDocument;

namespace tevrix {

// Writes a report at the end of a document with a current character format
// that changes only when asked: plain lines and texts in that format, stored
// rich texts and pictures with their own.
class ReportDocumentWriter {
public:
    // `document` has its default font set: the first current format.
    explicit ReportDocumentWriter(QTextDocument& document);

    // `text` (UTF-8) in the current format, each of its CR LF lines ended
    // with a line break.
    void AppendLine(const std::string& text);
    // `text` in the current format, no line break.
    void InsertText(const std::string& text);
    // A stored rich text with its formatting (plain text in the document's
    // default format); afterwards the current format is that of its end.
    void InsertRichText(const RichText& text);
    void InsertPicture(const QImage& picture);

    void SetAlignment(Qt::Alignment alignment);
    void SetItalic() { m_format.setFontItalic(true); }
    void SetBold() { m_format.setFontWeight(QFont::Bold); }
    void SetUnderline() { m_format.setFontUnderline(true); }
    void SetColor(const QColor& color) { m_format.setForeground(color); }
    // 2 points less or more than the current size (never below 1 point).
    void MakeSmaller() { ChangeSize(-2); }
    void MakeLarger() { ChangeSize(2); }

    const QTextCharFormat& Format() const { return m_format; }

private:
    void ChangeSize(qreal points);
    qreal CurrentPointSize() const;

    QTextDocument& m_document;
    QTextCursor m_cursor;
    QTextCharFormat m_format;
    int m_pictureCount = 0;
};

} // namespace tevrix
