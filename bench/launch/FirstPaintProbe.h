// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ends the program the moment its first window has been painted, so that
// the time from starting the program to its exit is its launch time.

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdlib>

namespace tevrix::bench {

class FirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject* target, QEvent* event) override {
        // The paint event reaches the window's widgets after the window
        // itself has been exposed: once one has been painted, the window
        // is on the screen.
        if (event->type() == QEvent::Paint && target->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(target);
            if (widget->window()->isVisible()) {
                qApp->removeEventFilter(this);
                QMetaObject::invokeMethod(
                    qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

} // namespace tevrix::bench
