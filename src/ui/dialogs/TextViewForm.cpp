// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/TextViewForm.h"

#include "ui/UiText.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/richtext/RichTextRoutines.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {

TTextViewForm::TTextViewForm(QWidget* parent)
    : QDialog(parent), m_viewer(new RichTextArea(this)), m_ok(new QPushButton("OK", this)) {
    setObjectName("TextViewForm");
    setWindowTitle(Tr("Просмотр"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_viewer->setObjectName("Viewer");
    m_viewer->setAccessibleName(Tr("Просмотр"));
    m_viewer->setContextMenuPolicy(Qt::NoContextMenu);
    m_viewer->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    m_viewer->installEventFilter(this);
    m_viewer->viewport()->installEventFilter(this);
    m_ok->setObjectName("bbOK");
    m_ok->setAccessibleName(m_ok->text());
    m_ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_viewer, 1);
    layout->addWidget(m_ok);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumSize(300, 200);
    resize(611, 308);
}

bool TTextViewForm::ShowTextViewer(QWidget* parent, const RichText& text, const QString& caption) {
    TTextViewForm form(parent);
    LoadRichText(text, *form.m_viewer);
    if (!caption.isEmpty())
        form.setWindowTitle(caption);
    return form.exec() == QDialog::Accepted;
}

bool TTextViewForm::ShowAreaInViewer(QWidget* parent, const RichTextArea& area,
                                     const QString& caption) {
    TTextViewForm form(parent);
    CopyRichText(area, *form.m_viewer);
    if (!caption.isEmpty())
        form.setWindowTitle(caption);
    return form.exec() == QDialog::Accepted;
}

bool TTextViewForm::ZoomByKey(int key) {
    if (key == Qt::Key_Plus) {
        m_viewer->SetZoom(m_viewer->Zoom() + kZoomStep);
        return true;
    }
    if (key == Qt::Key_Minus) {
        m_viewer->SetZoom(m_viewer->Zoom() - kZoomStep);
        return true;
    }
    return false;
}

void TTextViewForm::keyPressEvent(QKeyEvent* event) {
    if (!ZoomByKey(event->key()))
        QDialog::keyPressEvent(event);
}

bool TTextViewForm::eventFilter(QObject* watched, QEvent* event) {
    // The viewer has the keys while it has the focus; the zoom keys are the
    // window's, and releasing the mouse over the text hands the focus to OK.
    if (event->type() == QEvent::KeyPress && watched == m_viewer &&
        ZoomByKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    if (event->type() == QEvent::MouseButtonRelease && watched == m_viewer->viewport())
        m_ok->setFocus();
    return QDialog::eventFilter(watched, event);
}

} // namespace tevrix
