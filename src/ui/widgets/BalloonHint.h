// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;
class QTimer;

namespace tevrix {

// A tool-tip-like balloon under a field with a bold header and a text; it
// goes away by itself after a while or when shown again elsewhere.
class BalloonHint : public QFrame {
    Q_OBJECT

public:
    static constexpr int kLifetimeMs = 5000;

    explicit BalloonHint(QWidget* parent);

    // Shows itself just below `field`.
    void ShowAt(QWidget* field, const QString& header, const QString& text);
    QString Header() const;
    QString Text() const;
    // The field it points at while shown.
    QWidget* Field() const { return isVisible() ? m_field : nullptr; }

private:
    QLabel* m_header;
    QLabel* m_text;
    QTimer* m_timer;
    QWidget* m_field = nullptr;
};

} // namespace tevrix
