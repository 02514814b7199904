// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSizeF>
#include <QTextFormat>

class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;
class QTextTableFormat;

namespace tevrix {

// Zoom of a rich-text document by percent, as the rich-edit control of the
// original does it: font sizes, pictures, paragraph indents, spacing and tab
// stops and table column widths all scale. Every zoomed value keeps its unzoomed base
// in a property of its format, so a zoom is always computed from the base and
// repeated zooming never drifts; the bases travel with the content when it is
// copied to another document.
class RichZoom {
public:
    enum Property {
        BasePointSize = QTextFormat::UserProperty + 0x5200, // qreal, char formats
        BaseImageSize,                                      // QSizeF, image formats
        BaseBlockMargins,                                   // QList<qreal>, block formats
        BaseColumnWidths,                                   // QList<qreal>, table formats
        BaseTabPositions,                                   // QList<qreal>, block formats
    };
    static constexpr qreal kMaxPointSize = 1638; // the rich-edit control's largest font
    static constexpr int kMaxPercent = 6400;

    // Sets a font size or an image size at 100 percent, with its base.
    static void SetPointSize(QTextCharFormat& format, qreal points);
    static void SetImageSize(QTextImageFormat& format, QSizeF pixels);
    // Records the margins or column widths a format has as its base.
    static void SetBase(QTextBlockFormat& format);
    static void SetBase(QTextTableFormat& format);

    // Brings the content from `fromPercent` to `toPercent`. Content that has
    // no base yet (inserted by other means) is taken to be at `fromPercent`
    // and gets its base now. Percentages are clamped to 1..kMaxPercent.
    static void Apply(QTextDocument& document, int fromPercent, int toPercent);

    static int ClampPercent(int percent);
};

} // namespace tevrix
