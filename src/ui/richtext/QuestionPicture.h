// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>

namespace tevrix {

// The task's picture beside the question: the graphic is scaled to fit the
// widget with its proportions kept, and a click on it is reported (to show
// it enlarged).
class QuestionPicture : public QWidget {
    Q_OBJECT

public:
    explicit QuestionPicture(QWidget* parent = nullptr);

    const QImage& Picture() const { return m_picture; }
    bool HasPicture() const { return !m_picture.isNull(); }
    void SetPicture(const QImage& picture);
    void Clear();

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

// Shows a message in a plain message box (the application's title, an OK
// button, no icon); tests replace it.
using ShowMessage = std::function<void(const QString& text)>;

// Loads the task's picture `fileName` from the test's folder into `picture`:
// - an empty name empties, disables and hides the picture; false;
// - a missing file shows "Файл: \"%s\" с изображением отсутствует!" with the
//   path and keeps the picture shown before; false. A name that would leave
//   the folder counts as missing;
// - a file that cannot be read in the format of its extension shows
//   "Ошибка загрузки изображения!" and empties the picture; false;
// - otherwise the picture holds the graphic; true. Showing it is the
//   caller's decision.
bool LoadQuestionPicture(const std::string& fileName, const std::string& folder,
                         QuestionPicture& picture, const ShowMessage& showMessage);

} // namespace tevrix
