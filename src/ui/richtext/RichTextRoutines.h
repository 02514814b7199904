// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "richtext/RichText.h"

class QTextCursor;

namespace tevrix {

class RichTextArea;

// The rich-text routines every window of the station shares. The plain-text
// form of a rich text is RichToPlain of the core (text/RichToPlain.h).

// Loads a rich text into an area: an RTF document with its formatting,
// anything else as plain Windows-1251 text; an empty text empties the area.
// The content is shown at the area's zoom, links are detected, and the area
// shows its first line.
void LoadRichText(const RichText& text, RichTextArea& area);

// Gives `target` the formatted content of `source` (pictures included) and
// the same selection, shown at the target's zoom.
void CopyRichText(const RichTextArea& source, RichTextArea& target);

// Inserts a rich text with its formatting at `cursor`, as a whole copied
// rich-text area is pasted: its paragraphs follow the cursor's text, the
// last one ends with a paragraph break, and the cursor keeps the format of
// the end of the inserted material. Text that is no RTF takes the document's
// default format. An empty text inserts nothing. The clipboard is not used.
void AppendRichText(const RichText& text, QTextCursor& cursor);

} // namespace tevrix
