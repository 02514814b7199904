// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/SourceTexts.h"

#include "ui/UiText.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace tevrix {
namespace {

constexpr const char* kSourceProperty = "tevrixSourceText";

void ShowTranslation(QAction* action, const QByteArray& source) {
    action->setText(Tr(source.constData()));
    if (QMenu* menu = action->menu())
        menu->setAccessibleName(action->text().remove('&'));
}

} // namespace

void SetSourceText(QAction* action, const char* source) {
    action->setProperty(kSourceProperty, QByteArray(source));
    ShowTranslation(action, source);
}

void SetSourceTitle(QMenu* menu, const char* source) {
    SetSourceText(menu->menuAction(), source);
}

void RetranslateSourceTexts(QWidget* window) {
    for (QAction* action : window->findChildren<QAction*>()) {
        const QVariant source = action->property(kSourceProperty);
        if (source.isValid())
            ShowTranslation(action, source.toByteArray());
    }
}

} // namespace tevrix
