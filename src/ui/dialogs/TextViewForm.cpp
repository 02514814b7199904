// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/TextViewForm.h"

#include "text/Format.h"
#include "ui/UiText.h"
#include "ui/dialogs/DocumentPrinting.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/richtext/RichTextRoutines.h"
#include "ui/richtext/RichZoom.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tevrix {

TTextViewForm::TTextViewForm(QWidget* parent)
    : QDialog(parent),
      m_viewer(new RichTextArea(this)),
      m_print(new QPushButton(Tr("Печать..."), this)),
      m_savePdf(new QPushButton(Tr("Сохранить в PDF..."), this)),
      m_ok(new QPushButton("OK", this)) {
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
    m_print->setObjectName("bbPrint");
    m_print->setAccessibleName(Tr("Печать"));
    m_print->setAutoDefault(false);
    m_savePdf->setObjectName("bbSavePdf");
    m_savePdf->setAccessibleName(Tr("Сохранить в PDF"));
    m_savePdf->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(m_print);
    buttons->addWidget(m_savePdf);
    buttons->addWidget(m_ok, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_viewer, 1);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_print, &QPushButton::clicked, this, &TTextViewForm::Print);
    connect(m_savePdf, &QPushButton::clicked, this, &TTextViewForm::SaveAsPdf);
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

bool TTextViewForm::ShowDocument(QWidget* parent, std::unique_ptr<QTextDocument> document,
                                 const QString& caption) {
    TTextViewForm form(parent);
    document->setMetaInformation(QTextDocument::DocumentTitle, caption);
    form.SetDocument(std::move(document));
    if (!caption.isEmpty())
        form.setWindowTitle(caption);
    return form.exec() == QDialog::Accepted;
}

void TTextViewForm::SetDocument(std::unique_ptr<QTextDocument> document) {
    // The viewer owns the document from now on (and drops the one before).
    document->setParent(m_viewer);
    m_viewer->setDocument(document.release());
    m_viewer->ZoomFrom(100);
}

std::unique_ptr<QTextDocument> TTextViewForm::PrintableCopy() const {
    std::unique_ptr<QTextDocument> copy(m_viewer->document()->clone());
    RichZoom::Apply(*copy, m_viewer->Zoom(), 100);
    copy->setDefaultFont(m_viewer->font());
    return copy;
}

void TTextViewForm::Print() {
    PrintDocument(this, *PrintableCopy());
}

void TTextViewForm::SaveAsPdf() {
    QString path = QFileDialog::getSaveFileName(this, Tr("Сохранить в PDF"), windowTitle() + ".pdf",
                                                Tr("Документы PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!SaveDocumentAsPdf(*PrintableCopy(), path))
        ShowPlainMessage(this, Format(TranslateText("Ошибка записи файла: %s"), {FromQt(path)}));
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
