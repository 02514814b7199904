// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/ReportDocumentWriter.h"

#include "ui/UiText.h"
#include "ui/richtext/RichTextRoutines.h"
#include "ui/richtext/RichZoom.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace tevrix {

ReportDocumentWriter::ReportDocumentWriter(QTextDocument& document)
    : m_document(document), m_cursor(&document) {
    m_cursor.movePosition(QTextCursor::End);
    RichZoom::SetPointSize(m_format, CurrentPointSize());
}

qreal ReportDocumentWriter::CurrentPointSize() const {
    if (m_format.fontPointSize() > 0)
        return m_format.fontPointSize();
    const QFont font = m_document.defaultFont();
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
}

void ReportDocumentWriter::ChangeSize(qreal points) {
    RichZoom::SetPointSize(m_format, std::max<qreal>(1, CurrentPointSize() + points));
}

void ReportDocumentWriter::AppendLine(const std::string& text) {
    const QStringList lines = ToQt(text).split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
        m_cursor.insertText(line, m_format);
        m_cursor.insertBlock(m_cursor.blockFormat(), m_format);
    }
}

void ReportDocumentWriter::InsertText(const std::string& text) {
    m_cursor.insertText(ToQt(text), m_format);
}

void ReportDocumentWriter::InsertRichText(const RichText& text) {
    if (text.Empty())
        return;
    AppendRichText(text, m_cursor);
    m_format = m_cursor.charFormat();
    // A link at the end of the text does not carry over to the report's lines.
    m_format.setAnchor(false);
    m_format.clearProperty(QTextFormat::AnchorHref);
    if (m_format.fontPointSize() <= 0)
        RichZoom::SetPointSize(m_format, CurrentPointSize());
}

void ReportDocumentWriter::InsertPicture(const QImage& picture) {
    const QString name = QStringLiteral("report-picture:%1").arg(++m_pictureCount);
    m_document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
    QTextImageFormat format;
    format.merge(m_format);
    format.setName(name);
    RichZoom::SetImageSize(format, picture.size());
    m_cursor.insertImage(format);
}

void ReportDocumentWriter::SetAlignment(Qt::Alignment alignment) {
    QTextBlockFormat format = m_cursor.blockFormat();
    format.setAlignment(alignment);
    m_cursor.setBlockFormat(format);
}

} // namespace tevrix
