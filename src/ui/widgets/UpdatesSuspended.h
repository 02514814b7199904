// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace tevrix {

// Suspends the painting of a whole window while it lives, so that the pupil
// never sees a half-built screen; painting resumes when the guard goes out of
// scope, also when an exception leaves it. Guards nest: only the outermost
// one resumes painting, and a window whose painting was already suspended by
// someone else stays suspended.
class UpdatesSuspended {
public:
    explicit UpdatesSuspended(QWidget* widget)
        : m_window(widget ? widget->window() : nullptr),
          m_wasEnabled(m_window && m_window->updatesEnabled()) {
        if (m_wasEnabled)
            m_window->setUpdatesEnabled(false);
    }
    ~UpdatesSuspended() {
        if (m_wasEnabled && m_window)
            m_window->setUpdatesEnabled(true);
    }
    UpdatesSuspended(const UpdatesSuspended&) = delete;
    UpdatesSuspended& operator=(const UpdatesSuspended&) = delete;

private:
    QPointer<QWidget> m_window;
    bool m_wasEnabled;
};

} // namespace tevrix
