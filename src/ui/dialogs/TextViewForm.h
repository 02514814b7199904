// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichText.h"

#include <QDialog>

#include <memory>

class QPushButton;
class QTextDocument;

namespace tevrix {

class RichTextArea;

// The modal text viewer: a rich text enlarged, "+" and "-" zoom it by 5 %.
// What it shows can be printed or saved as a PDF file.
class TTextViewForm : public QDialog {
    Q_OBJECT

public:
    explicit TTextViewForm(QWidget* parent = nullptr);

    // Shows `text` under `caption` ("Просмотр" when empty); true when the
    // pupil closed it with OK.
    static bool ShowTextViewer(QWidget* parent, const RichText& text, const QString& caption);
    // The same for what a rich-text area on screen shows now.
    static bool ShowAreaInViewer(QWidget* parent, const RichTextArea& area, const QString& caption);
    // The same for a document built for the viewer, which takes it over.
    static bool ShowDocument(QWidget* parent, std::unique_ptr<QTextDocument> document,
                             const QString& caption);

    // Puts `document` in the viewer, shown at the viewer's zoom.
    void SetDocument(std::unique_ptr<QTextDocument> document);
    // What the viewer shows, at its size unzoomed, for printing.
    std::unique_ptr<QTextDocument> PrintableCopy() const;
    RichTextArea& Viewer() { return *m_viewer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr int kZoomStep = 5;
    bool ZoomByKey(int key);
    void Print();
    void SaveAsPdf();

    RichTextArea* m_viewer;
    QPushButton* m_print;
    QPushButton* m_savePdf;
    QPushButton* m_ok;
};

} // namespace tevrix
