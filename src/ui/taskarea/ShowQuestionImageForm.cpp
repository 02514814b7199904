// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/taskarea/ShowQuestionImageForm.h"

#include "text/Translate.h"

#include <QPainter>
#include <QScreen>

namespace tevrix {

TShowQuestionImageForm::TShowQuestionImageForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QString::fromStdString(TranslateText("Просмотр изображения к заданию")));
    setAccessibleName(windowTitle());
}

void TShowQuestionImageForm::ShowPicture(const QImage& picture, const QWidget* over) {
    m_picture = picture;
    QSize size = picture.isNull() ? QSize(160, 160) : picture.size();
    // A picture larger than the screen would put the window's frame out of
    // reach; it is shown at the largest size that keeps its proportions.
    if (const QScreen* screen = over ? over->screen() : this->screen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        if (size.width() > room.width() || size.height() > room.height())
            size = size.scaled(room, Qt::KeepAspectRatio);
    }
    resize(size);
    if (over) {
        const QPoint centre = over->mapToGlobal(over->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    update();
    show();
    raise();
}

void TShowQuestionImageForm::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}

} // namespace tevrix
