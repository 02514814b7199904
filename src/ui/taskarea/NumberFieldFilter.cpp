// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/taskarea/NumberFieldFilter.h"

#include "text/Format.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tevrix {

NumberFieldFilter::NumberFieldFilter(QObject* parent)
    : QObject(parent),
      m_separator(QLatin1Char(SystemDecimalSeparator())),
      m_beep([] { QApplication::beep(); }) {}

void NumberFieldFilter::Watch(QLineEdit* field) {
    field->installEventFilter(this);
}

bool NumberFieldFilter::Accepts(const QLineEdit& field, QChar typed, QChar& accepted) const {
    accepted = typed;
    if (typed == QLatin1Char('\b') || typed == QLatin1Char('\r') || typed == QLatin1Char('\n'))
        return true;
    if (typed == QLatin1Char(',') || typed == QLatin1Char('.'))
        accepted = m_separator;
    if (accepted == m_separator)
        return !field.text().contains(m_separator);
    if (accepted == QLatin1Char('-'))
        return !field.text().contains(QLatin1Char('-')) && field.cursorPosition() == 0;
    return accepted >= QLatin1Char('0') && accepted <= QLatin1Char('9');
}

bool NumberFieldFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.size() != 1 ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QChar typed = text.front();
    // Other control characters (Tab, Escape) are keys, not typed text.
    if (typed.unicode() < 0x20 && typed != QLatin1Char('\b') && typed != QLatin1Char('\r'))
        return false;
    QChar accepted;
    if (!Accepts(*field, typed, accepted)) {
        if (m_beep)
            m_beep();
        return true;
    }
    if (accepted != typed) {
        field->insert(QString(accepted));
        return true;
    }
    return false;
}

} // namespace tevrix
