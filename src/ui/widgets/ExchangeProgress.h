// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

namespace tevrix {

// The small window shown while the server keeps the pupil waiting: it
// appears after 0.4 s with a busy bar and "Отмена"; `cancel` runs when the
// pupil presses it, closes the window or presses Esc.
class ExchangeProgress : public QDialog {
    Q_OBJECT

public:
    ExchangeProgress(const QString& text, QWidget* parent, std::function<void()> cancel);

    // Runs `ask` (a dialog of the pupil's own) with this window out of the
    // way, and brings the window back afterwards when the wait goes on.
    template <typename Ask> auto Without(Ask ask) {
        Pause();
        auto answer = ask();
        Resume();
        return answer;
    }

private:
    void Pause();
    void Resume();

    QTimer m_showLater;
};

} // namespace tevrix
