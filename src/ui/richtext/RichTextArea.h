// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextBrowser>

namespace tevrix {

// The station's read-only rich-text area: shows a rich text with its
// formatting, zooms by percent and opens links with the desktop's default
// handler (a left click on a link, and links are detected in the text).
class RichTextArea : public QTextBrowser {
    Q_OBJECT

public:
    explicit RichTextArea(QWidget* parent = nullptr);

    int Zoom() const { return m_zoom; }
    // Shows the content at `percent` of its size (100 = as written);
    // clamped to 1..6400.
    void SetZoom(int percent);
    // Brings content that was added at `percent` (100 for LoadRichText, the
    // source's zoom for CopyRichText) to the area's zoom.
    void ZoomFrom(int percent);

    // Makes every web or mail address in the text a link, as the rich-edit
    // control's link detection does: http, https, ftp, file and mailto
    // addresses and those starting with "www.".
    void MarkLinks();

private:
    // Tab stops every half inch when a paragraph sets none, as in rich-edit
    // controls and word processors.
    static constexpr qreal kDefaultTabStop = 48;

    void ApplyZoomToDefaults();
    void OpenLink(const QUrl& url);

    int m_zoom = 100;
};

} // namespace tevrix
