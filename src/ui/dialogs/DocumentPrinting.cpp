// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/DocumentPrinting.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

namespace tevrix {

bool SaveDocumentAsPdf(const QTextDocument& document, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("TevrixStudent"));
        document.print(&writer);
    }
    return file.commit();
}

void PrintDocument(QWidget* parent, const QTextDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        document.print(&printer);
}

} // namespace tevrix
