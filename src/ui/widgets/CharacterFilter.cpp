// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/CharacterFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace tevrix {

CharacterFilter::CharacterFilter(QLineEdit* field, std::function<bool(QChar)> accepts)
    : QObject(field), m_accepts(std::move(accepts)) {
    field->installEventFilter(this);
}

bool CharacterFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    for (const QChar typed : text) {
        const bool control = typed.unicode() < 0x20 || typed.unicode() == 0x7F;
        if (control && typed != QLatin1Char('\b'))
            continue;
        if (!m_accepts(typed)) {
            if (m_beep)
                m_beep();
            return true;
        }
    }
    return false;
}

} // namespace tevrix
