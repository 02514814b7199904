// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QTextDocument;
class QWidget;

namespace tevrix {

// Writes `document` as a PDF file of A4 pages; the file is replaced only
// when the whole PDF has been written. False when it could not be written.
bool SaveDocumentAsPdf(const QTextDocument& document, const QString& path);

// Asks for a printer in the desktop's print dialog and prints `document`
// there; nothing when the dialog is cancelled.
void PrintDocument(QWidget* parent, const QTextDocument& document);

} // namespace tevrix
