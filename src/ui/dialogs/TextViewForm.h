// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichText.h"

#include <QDialog>

class QPushButton;

namespace tevrix {

class RichTextArea;

// The modal text viewer: a rich text enlarged, "+" and "-" zoom it by 5 %.
class TTextViewForm : public QDialog {
    Q_OBJECT

public:
    explicit TTextViewForm(QWidget* parent = nullptr);

    // Shows `text` under `caption` ("Просмотр" when empty); true when the
    // pupil closed it with OK.
    static bool ShowTextViewer(QWidget* parent, const RichText& text, const QString& caption);
    // The same for what a rich-text area on screen shows now.
    static bool ShowAreaInViewer(QWidget* parent, const RichTextArea& area, const QString& caption);

    RichTextArea& Viewer() { return *m_viewer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr int kZoomStep = 5;
    bool ZoomByKey(int key);

    RichTextArea* m_viewer;
    QPushButton* m_ok;
};

} // namespace tevrix
