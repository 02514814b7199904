// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/richtext/RichDocumentWriter.h"

#include "ui/richtext/PictureDecoder.h"
#include "ui/richtext/RichZoom.h"

#include <QTextDocument>
#include <QTextTable>
#include <QUuid>

#include <algorithm>

namespace tevrix {
namespace {

constexpr qreal kCellPadding = 3;

// Lengths of the document are twips; the screen has 96 pixels an inch.
qreal TwipsToPixels(int twips) {
    return twips / 15.0;
}

QColor ToQColor(const RichColor& color) {
    return QColor(color.Red, color.Green, color.Blue);
}

Qt::Alignment ToQtAlignment(RichAlignment alignment) {
    switch (alignment) {
    case RichAlignment::Center: return Qt::AlignHCenter;
    case RichAlignment::Right: return Qt::AlignRight;
    case RichAlignment::Justify: return Qt::AlignJustify;
    case RichAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QTextOption::TabType ToQtTabType(RichTabKind kind) {
    switch (kind) {
    case RichTabKind::Center: return QTextOption::CenterTab;
    case RichTabKind::Right: return QTextOption::RightTab;
    case RichTabKind::Decimal: return QTextOption::DelimiterTab;
    case RichTabKind::Left: break;
    }
    return QTextOption::LeftTab;
}

QString RunText(const std::string& text) {
    QString result = QString::fromUtf8(text);
    result.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return result;
}

// The size a picture is shown at: the document's, else the image's own; one
// side given alone keeps the image's proportions.
QSizeF DisplaySize(const RichPicture& picture, QSize imageSize) {
    const qreal width = TwipsToPixels(picture.WidthTwips);
    const qreal height = TwipsToPixels(picture.HeightTwips);
    if (width > 0 && height > 0)
        return {width, height};
    if (width > 0 && imageSize.width() > 0)
        return {width, width * imageSize.height() / imageSize.width()};
    if (height > 0 && imageSize.height() > 0)
        return {height * imageSize.width() / imageSize.height(), height};
    return imageSize;
}

} // namespace

void RichDocumentWriter::Write(const RichDocument& document, bool closeLastParagraph) {
    const QTextBlockFormat followingFormat = m_cursor.blockFormat();
    bool inOpenBlock = true; // the next paragraph goes into the cursor's block
    for (const RichBlock& block : document.Blocks) {
        if (const auto* paragraph = std::get_if<RichParagraph>(&block)) {
            if (!inOpenBlock)
                m_cursor.insertBlock();
            WriteParagraph(m_cursor, *paragraph);
            inOpenBlock = false;
        } else {
            WriteTable(std::get<RichTable>(block));
            inOpenBlock = true; // the cursor is in the empty block after the table
        }
    }
    if (closeLastParagraph && !document.Blocks.empty()) {
        if (!inOpenBlock)
            m_cursor.insertBlock(followingFormat, m_lastFormat);
        m_cursor.setCharFormat(m_lastFormat);
    }
}

QTextCharFormat RichDocumentWriter::CharFormat(const RichCharFormat& format) {
    QTextCharFormat result;
    result.setFontWeight(format.Bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.Italic);
    result.setFontUnderline(format.Underline);
    result.setFontStrikeOut(format.StrikeOut);
    if (format.VerticalPosition == RichVerticalPosition::Superscript)
        result.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (format.VerticalPosition == RichVerticalPosition::Subscript)
        result.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (!format.FontFamily.empty())
        result.setFontFamilies(QStringList{QString::fromStdString(format.FontFamily)});
    if (format.FontSizeHalfPoints > 0)
        RichZoom::SetPointSize(result, format.FontSizeHalfPoints / 2.0);
    if (format.Color)
        result.setForeground(ToQColor(*format.Color));
    if (format.Background)
        result.setBackground(ToQColor(*format.Background));
    if (!format.Link.empty()) {
        result.setAnchor(true);
        result.setAnchorHref(QString::fromStdString(format.Link));
    }
    return result;
}

const QTextCharFormat& RichDocumentWriter::CachedCharFormat(const RichCharFormat& format) {
    for (const auto& [rich, converted] : m_formats) {
        if (rich == format)
            return converted;
    }
    if (m_formats.size() >= kMaxCachedFormats)
        m_formats.clear();
    return m_formats.emplace_back(format, CharFormat(format)).second;
}

QTextBlockFormat RichDocumentWriter::BlockFormat(const RichParagraphFormat& format) {
    QTextBlockFormat result;
    result.setAlignment(ToQtAlignment(format.Alignment));
    result.setLeftMargin(TwipsToPixels(format.LeftIndent));
    result.setRightMargin(TwipsToPixels(format.RightIndent));
    result.setTextIndent(TwipsToPixels(format.FirstLineIndent));
    result.setTopMargin(TwipsToPixels(format.SpaceBefore));
    result.setBottomMargin(TwipsToPixels(format.SpaceAfter));
    result.setTabPositions(TabPositions(format));
    RichZoom::SetBase(result);
    return result;
}

QList<QTextOption::Tab> RichDocumentWriter::TabPositions(const RichParagraphFormat& format) {
    // Qt measures tab positions from where the line starts, RTF from the
    // margin; the first line, which the tabs of lists and bullets are in,
    // starts at the left indent plus the first-line indent. A hanging indent
    // is a tab stop of its own, as in word processors.
    const int lineStart = format.LeftIndent + format.FirstLineIndent;
    std::vector<RichTabStop> stops = format.TabStops;
    if (format.FirstLineIndent < 0)
        stops.push_back({format.LeftIndent, RichTabKind::Left});
    std::sort(stops.begin(), stops.end(),
              [](const RichTabStop& a, const RichTabStop& b) { return a.Position < b.Position; });
    QList<QTextOption::Tab> tabs;
    for (const RichTabStop& stop : stops) {
        const qreal position = TwipsToPixels(stop.Position - lineStart);
        if (position > 0 && (tabs.isEmpty() || tabs.back().position < position))
            tabs.append(QTextOption::Tab(position, ToQtTabType(stop.Kind), QLatin1Char('.')));
    }
    return tabs;
}

void RichDocumentWriter::WriteParagraph(QTextCursor& cursor, const RichParagraph& paragraph) {
    cursor.setBlockFormat(BlockFormat(paragraph.Format));
    for (const RichRun& run : paragraph.Runs) {
        if (run.Picture) {
            WritePicture(cursor, *run.Picture, run);
            continue;
        }
        m_lastFormat = CachedCharFormat(run.Format);
        cursor.insertText(RunText(run.Text), m_lastFormat);
    }
}

void RichDocumentWriter::WriteTable(const RichTable& table) {
    size_t columns = 0;
    for (const RichTableRow& row : table.Rows)
        columns = std::max(columns, row.Cells.size());
    // A column is as wide as the first row that gives its cell a width.
    QList<QTextLength> widths(static_cast<qsizetype>(columns),
                              QTextLength(QTextLength::VariableLength, 0));
    for (size_t c = 0; c < columns; ++c) {
        for (const RichTableRow& row : table.Rows) {
            if (c < row.Cells.size() && row.Cells[c].Width > 0) {
                // Qt's fixed width includes the padding; adding it gives the
                // text the whole RTF width, so a word that just fitted the
                // writer's cell is not broken here.
                widths[c] = QTextLength(QTextLength::FixedLength,
                                        TwipsToPixels(row.Cells[c].Width) + 2 * kCellPadding);
                break;
            }
        }
    }
    QTextTableFormat format;
    format.setBorder(table.Bordered ? 1 : 0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(kCellPadding);
    format.setColumnWidthConstraints(widths);
    RichZoom::SetBase(format);

    QTextTable* qtable = m_cursor.insertTable(static_cast<int>(table.Rows.size()),
                                              static_cast<int>(columns), format);
    for (size_t r = 0; r < table.Rows.size(); ++r) {
        const std::vector<RichTableCell>& cells = table.Rows[r].Cells;
        for (size_t c = 0; c < cells.size(); ++c) {
            QTextCursor cell =
                qtable->cellAt(static_cast<int>(r), static_cast<int>(c)).firstCursorPosition();
            for (size_t p = 0; p < cells[c].Paragraphs.size(); ++p) {
                if (p > 0)
                    cell.insertBlock();
                WriteParagraph(cell, cells[c].Paragraphs[p]);
            }
        }
    }
    m_cursor.setPosition(qtable->lastPosition() + 1);
}

void RichDocumentWriter::WritePicture(QTextCursor& cursor, const RichPicture& picture,
                                      const RichRun& run) {
    const QByteArray bytes =
        QByteArray::fromRawData(picture.Data.data(), static_cast<qsizetype>(picture.Data.size()));
    const QSizeF wanted = DisplaySize(picture, {});
    const QImage image =
        PictureDecoder::Decode(bytes, PictureDecoder::FormatOf(picture.Format), wanted.toSize());
    if (image.isNull())
        return; // a picture that cannot be read is left out
    QTextDocument* document = cursor.document();
    const QString name = "tevrix-picture:" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.merge(CharFormat(run.Format));
    format.setName(name);
    RichZoom::SetImageSize(format, DisplaySize(picture, image.size()));
    cursor.insertImage(format);
}

} // namespace tevrix
