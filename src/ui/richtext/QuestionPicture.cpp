// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/richtext/QuestionPicture.h"

#include "platform/Files.h"
#include "platform/Paths.h"
#include "text/Format.h"
#include "text/Translate.h"
#include "ui/richtext/PictureDecoder.h"

#include <QMouseEvent>
#include <QPainter>

namespace tevrix {
namespace {

// A picture name is a plain file name inside the test's folder.
bool StaysInFolder(const std::string& fileName) {
    return fileName.find('/') == std::string::npos && fileName != "." && fileName != "..";
}

} // namespace

QuestionPicture::QuestionPicture(QWidget* parent) : QWidget(parent) {}

void QuestionPicture::SetPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void QuestionPicture::Clear() {
    SetPicture({});
}

void QuestionPicture::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    const QSize size = m_picture.size().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}

void QuestionPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    QWidget::mouseReleaseEvent(event);
}

bool LoadQuestionPicture(const std::string& fileName, const std::string& folder,
                         QuestionPicture& picture, const ShowMessage& showMessage) {
    if (fileName.empty()) {
        picture.Clear();
        picture.setEnabled(false);
        picture.hide();
        return false;
    }
    const std::string path = WithTrailingSlash(folder) + fileName;
    if (!StaysInFolder(fileName) || !FileExists(path)) {
        showMessage(QString::fromStdString(
            Format(TranslateText("Файл: \"%s\" с изображением отсутствует!"), {path})));
        return false;
    }
    const QImage image = PictureDecoder::LoadFile(QString::fromStdString(path));
    if (image.isNull()) {
        showMessage(QString::fromStdString(TranslateText("Ошибка загрузки изображения!")));
        picture.Clear();
        return false;
    }
    picture.SetPicture(image);
    return true;
}

} // namespace tevrix
