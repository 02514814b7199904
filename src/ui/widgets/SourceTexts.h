// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QMenu;
class QWidget;

namespace tevrix {

// Captions of actions and menus that can be shown again in another language:
// each keeps its Russian source text with it, since a text already
// translated cannot be translated once more.

// Shows the translation of `source` on `action` and keeps the source.
void SetSourceText(QAction* action, const char* source);

// The same for a menu's title, which also becomes its accessible name.
void SetSourceTitle(QMenu* menu, const char* source);

// Translates again, into the current language, every caption below `window`
// that keeps its source.
void RetranslateSourceTexts(QWidget* window);

} // namespace tevrix
