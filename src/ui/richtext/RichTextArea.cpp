// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/richtext/RichTextArea.h"

#include "ui/richtext/RichZoom.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QTextBlock>

#include <vector>

namespace tevrix {

RichTextArea::RichTextArea(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    document()->setUndoRedoEnabled(false);
    setTabStopDistance(kDefaultTabStop);
    connect(this, &QTextBrowser::anchorClicked, this, &RichTextArea::OpenLink);
}

void RichTextArea::SetZoom(int percent) {
    percent = RichZoom::ClampPercent(percent);
    if (percent == m_zoom)
        return;
    RichZoom::Apply(*document(), m_zoom, percent);
    m_zoom = percent;
    ApplyZoomToDefaults();
}

void RichTextArea::ZoomFrom(int percent) {
    if (percent != m_zoom)
        RichZoom::Apply(*document(), percent, m_zoom);
    ApplyZoomToDefaults();
}

void RichTextArea::ApplyZoomToDefaults() {
    QFont zoomed = font();
    const qreal points = zoomed.pointSizeF() > 0 ? zoomed.pointSizeF() : zoomed.pixelSize() * 0.75;
    zoomed.setPointSizeF(std::clamp(points * m_zoom / 100.0, 1.0, RichZoom::kMaxPointSize));
    // Either change lays the whole document out again: only when needed.
    if (document()->defaultFont() != zoomed)
        document()->setDefaultFont(zoomed);
    const qreal tabStop = kDefaultTabStop * m_zoom / 100.0;
    if (tabStopDistance() != tabStop)
        setTabStopDistance(tabStop);
}

void RichTextArea::MarkLinks() {
    static const QRegularExpression address(
        QStringLiteral(R"((?:(?:https?|ftp|file)://|mailto:|www\.)[^\s<>"]*[^\s<>".,;:!?'()\[\]])"),
        QRegularExpression::CaseInsensitiveOption);
    struct Link {
        int Position;
        int Length;
        QString Target;
    };
    std::vector<Link> links;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        auto matches = address.globalMatch(block.text());
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            QString target = match.captured();
            if (target.startsWith("www.", Qt::CaseInsensitive))
                target.prepend("http://");
            links.push_back({block.position() + static_cast<int>(match.capturedStart()),
                             static_cast<int>(match.capturedLength()), target});
        }
    }
    QTextCursor cursor(document());
    for (const Link& link : links) {
        cursor.setPosition(link.Position);
        cursor.setPosition(link.Position + link.Length, QTextCursor::KeepAnchor);
        if (cursor.charFormat().isAnchor())
            continue; // a link the document made itself
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorHref(link.Target);
        format.setFontUnderline(true);
        format.setForeground(palette().link());
        cursor.mergeCharFormat(format);
    }
}

void RichTextArea::OpenLink(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace tevrix
