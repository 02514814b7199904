// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/richtext/RichTextRoutines.h"

#include "richtext/RichDocument.h"
#include "ui/richtext/RichDocumentWriter.h"
#include "ui/richtext/RichTextArea.h"

#include <QTextCursor>
#include <QTextDocument>

namespace tevrix {

void LoadRichText(const RichText& text, RichTextArea& area) {
    area.clear();
    if (!text.Empty()) {
        QTextCursor cursor(area.document());
        cursor.beginEditBlock();
        RichDocumentWriter(cursor).Write(ReadRichDocument(text), false);
        cursor.endEditBlock();
        area.MarkLinks();
    }
    area.ZoomFrom(100);
    area.moveCursor(QTextCursor::Start);
}

void CopyRichText(const RichTextArea& source, RichTextArea& target) {
    QTextDocument* copy = source.document()->clone(&target);
    copy->setUndoRedoEnabled(false);
    target.setDocument(copy); // the previous copy, owned by the target, goes
    target.ZoomFrom(source.Zoom());
    const QTextCursor selection = source.textCursor();
    QTextCursor cursor(copy);
    cursor.setPosition(selection.anchor());
    cursor.setPosition(selection.position(), QTextCursor::KeepAnchor);
    target.setTextCursor(cursor);
}

void AppendRichText(const RichText& text, QTextCursor& cursor) {
    if (text.Empty())
        return;
    cursor.beginEditBlock();
    RichDocumentWriter(cursor).Write(ReadRichDocument(text), true);
    cursor.endEditBlock();
}

} // namespace tevrix
