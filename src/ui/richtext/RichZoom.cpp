// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/richtext/RichZoom.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <vector>

namespace tevrix {
namespace {

struct FormatChange {
    int Position = 0;
    int Length = 0;
    QTextCharFormat Format;
};

class ZoomPass {
public:
    ZoomPass(int fromPercent, int toPercent)
        : m_from(RichZoom::ClampPercent(fromPercent) / 100.0),
          m_to(RichZoom::ClampPercent(toPercent) / 100.0) {}

    // The zoomed character format of a fragment, or false when it has no size
    // of its own (it then follows the document's default font).
    bool ZoomCharFormat(QTextCharFormat& format) const {
        if (format.isImageFormat()) {
            QTextImageFormat image = format.toImageFormat();
            QSizeF base = image.property(RichZoom::BaseImageSize).toSizeF();
            if (base.isEmpty()) {
                if (image.width() <= 0 || image.height() <= 0)
                    return false;
                base = QSizeF(image.width(), image.height()) / m_from;
            }
            image.setProperty(RichZoom::BaseImageSize, base);
            image.setWidth(base.width() * m_to);
            image.setHeight(base.height() * m_to);
            format = image;
            return true;
        }
        qreal base = format.doubleProperty(RichZoom::BasePointSize);
        if (base <= 0) {
            if (format.fontPointSize() <= 0)
                return false;
            base = format.fontPointSize() / m_from;
        }
        format.setProperty(RichZoom::BasePointSize, base);
        format.setFontPointSize(std::clamp(base * m_to, 1.0, RichZoom::kMaxPointSize));
        return true;
    }

    QTextBlockFormat ZoomBlockFormat(QTextBlockFormat format) const {
        QList<qreal> base = format.property(RichZoom::BaseBlockMargins).value<QList<qreal>>();
        if (base.size() != 5) {
            base = {format.leftMargin(), format.rightMargin(), format.textIndent(),
                    format.topMargin(), format.bottomMargin()};
            for (qreal& value : base)
                value /= m_from;
        }
        format.setProperty(RichZoom::BaseBlockMargins, QVariant::fromValue(base));
        format.setLeftMargin(base[0] * m_to);
        format.setRightMargin(base[1] * m_to);
        format.setTextIndent(base[2] * m_to);
        format.setTopMargin(base[3] * m_to);
        format.setBottomMargin(base[4] * m_to);
        return ZoomTabPositions(format);
    }

    QTextBlockFormat ZoomTabPositions(QTextBlockFormat format) const {
        QList<QTextOption::Tab> tabs = format.tabPositions();
        QList<qreal> base = format.property(RichZoom::BaseTabPositions).value<QList<qreal>>();
        if (base.size() != tabs.size()) {
            base.clear();
            for (const QTextOption::Tab& tab : tabs)
                base.append(tab.position / m_from);
        }
        for (int i = 0; i < tabs.size(); ++i)
            tabs[i].position = base[i] * m_to;
        format.setProperty(RichZoom::BaseTabPositions, QVariant::fromValue(base));
        format.setTabPositions(tabs);
        return format;
    }

    QTextTableFormat ZoomTableFormat(QTextTableFormat format) const {
        const QList<QTextLength> widths = format.columnWidthConstraints();
        QList<qreal> base = format.property(RichZoom::BaseColumnWidths).value<QList<qreal>>();
        if (base.size() != widths.size()) {
            base.clear();
            for (const QTextLength& width : widths)
                base.append(width.type() == QTextLength::FixedLength ? width.rawValue() / m_from
                                                                     : 0);
        }
        QList<QTextLength> zoomed;
        for (int i = 0; i < widths.size(); ++i)
            zoomed.append(base[i] > 0 ? QTextLength(QTextLength::FixedLength, base[i] * m_to)
                                      : widths[i]);
        format.setProperty(RichZoom::BaseColumnWidths, QVariant::fromValue(base));
        format.setColumnWidthConstraints(zoomed);
        return format;
    }

private:
    qreal m_from;
    qreal m_to;
};

void CollectTables(QTextFrame* frame, std::vector<QTextTable*>& tables) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            tables.push_back(table);
        CollectTables(child, tables);
    }
}

} // namespace

void RichZoom::SetPointSize(QTextCharFormat& format, qreal points) {
    format.setProperty(BasePointSize, points);
    format.setFontPointSize(points);
}

void RichZoom::SetImageSize(QTextImageFormat& format, QSizeF pixels) {
    format.setProperty(BaseImageSize, pixels);
    format.setWidth(pixels.width());
    format.setHeight(pixels.height());
}

void RichZoom::SetBase(QTextBlockFormat& format) {
    format = ZoomPass(100, 100).ZoomBlockFormat(format);
}

void RichZoom::SetBase(QTextTableFormat& format) {
    format = ZoomPass(100, 100).ZoomTableFormat(format);
}

int RichZoom::ClampPercent(int percent) {
    return std::clamp(percent, 1, kMaxPercent);
}

void RichZoom::Apply(QTextDocument& document, int fromPercent, int toPercent) {
    const ZoomPass pass(fromPercent, toPercent);
    // Formats are collected first: changing them would invalidate the
    // fragments being walked.
    std::vector<FormatChange> changes;
    std::vector<std::pair<int, QTextBlockFormat>> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        blocks.emplace_back(block.position(), pass.ZoomBlockFormat(block.blockFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (pass.ZoomCharFormat(format))
                changes.push_back({fragment.position(), fragment.length(), format});
        }
    }
    std::vector<QTextTable*> tables;
    CollectTables(document.rootFrame(), tables);

    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (const FormatChange& change : changes) {
        cursor.setPosition(change.Position);
        cursor.setPosition(change.Position + change.Length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(change.Format);
    }
    for (const auto& [position, format] : blocks) {
        cursor.setPosition(position);
        cursor.setBlockFormat(format);
    }
    for (QTextTable* table : tables)
        table->setFormat(pass.ZoomTableFormat(table->format()));
    cursor.endEditBlock();
}

} // namespace tevrix
