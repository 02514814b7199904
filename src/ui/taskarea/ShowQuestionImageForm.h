// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace tevrix {

// The question picture enlarged: a window of its own, not modal, that stays
// on top and shows the picture stretched over its whole client area.
class TShowQuestionImageForm : public QWidget {
    Q_OBJECT

public:
    explicit TShowQuestionImageForm(QWidget* parent = nullptr);

    const QImage& Picture() const { return m_picture; }
    // Replaces the picture, sizes the client area to it, centres the window
    // on `over` (when given) and shows it without waiting.
    void ShowPicture(const QImage& picture, const QWidget* over);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace tevrix
