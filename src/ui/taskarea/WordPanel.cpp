// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/taskarea/WordPanel.h"

#include "rules/RandomSource.h"
#include "text/Format.h"
#include "text/Translate.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tevrix {

TWordPanel::TWordPanel(QWidget* parent) : QWidget(parent) {
    QFont font = this->font();
    font.setPointSize(30);
    setFont(font);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    SetWord(QStringLiteral("СЛОВО"));
}

void TWordPanel::SetWord(const QString& word) {
    m_word = word;
    m_cells.resize(static_cast<size_t>(m_word.size()));
    LayoutCells();
    m_selected = -1;
    m_keyboardCell = 0;
    UpdateAccessibleText();
    update();
}

void TWordPanel::SetCellWidth(int width) {
    m_cellWidth = width;
    update();
}

void TWordPanel::SetCellHeight(int height) {
    m_cellHeight = height;
    update();
}

void TWordPanel::SetSpaceWidth(int width) {
    m_spaceWidth = width;
    update();
}

void TWordPanel::LayoutCells() {
    const int n = static_cast<int>(m_cells.size());
    if (n == 0)
        return;
    // n gaps are counted here, not n - 1: the row sits a little left of centre.
    int x0 = (width() - n * m_cellWidth - n * m_spaceWidth) / 2;
    int cellWidth = m_cellWidth;
    int cellHeight = m_cellHeight;
    if (x0 < 0) {
        cellWidth = (width() - (n - 1) * m_spaceWidth) / n;
        cellHeight = 7 * cellWidth / 6;
        x0 = 0;
    }
    const int y0 = (height() - cellHeight) / 2;
    for (int i = 0; i < n; ++i) {
        CellRect& cell = m_cells[static_cast<size_t>(i)];
        cell.Left = x0 + i * (cellWidth + m_spaceWidth);
        cell.Top = y0;
        cell.Right = cell.Left + cellWidth;
        cell.Bottom = cell.Top + cellHeight;
    }
}

void TWordPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutCells();
}

int TWordPanel::FittedPointSize() const {
    QFont font = this->font();
    int size = font.pointSize() > 0 ? font.pointSize() : 30;
    if (m_cells.empty())
        return size;
    const CellRect& first = m_cells.front();
    while (size >= 10) {
        font.setPointSize(size);
        const QFontMetrics metrics(font);
        const QString letter = QStringLiteral("Щ");
        if (first.Right - first.Left >= metrics.horizontalAdvance(letter) &&
            first.Bottom - first.Top >= metrics.height())
            break;
        --size;
    }
    return size;
}

void TWordPanel::paintEvent(QPaintEvent*) {
    if (m_word.isEmpty())
        return;
    QPainter painter(this);
    QFont font = this->font();
    font.setPointSize(FittedPointSize());
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (size_t i = 0; i < m_cells.size(); ++i) {
        const CellRect& cell = m_cells[i];
        const QRect area(cell.Left, cell.Top, cell.Right - cell.Left, cell.Bottom - cell.Top);
        painter.fillRect(area, int(i) == m_selected ? m_colorActiv : m_colorDef);
        const QString letter(m_word[qsizetype(i)]);
        const int x = cell.Left + (area.width() - metrics.horizontalAdvance(letter)) / 2;
        const int y = cell.Top + (area.height() - metrics.height()) / 2;
        painter.save();
        painter.setClipRect(area);
        painter.setPen(Qt::black);
        painter.drawText(x, y + metrics.ascent(), letter);
        painter.restore();
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area); // the frame lies on Right and Bottom
        if (hasFocus() && int(i) == m_keyboardCell) {
            painter.setPen(QPen(palette().highlight().color(), 1, Qt::DashLine));
            painter.drawRect(area.adjusted(3, 3, -3, -3));
        }
    }
}

int TWordPanel::CellAt(QPoint point) const {
    // The frame line itself does not belong to the cell.
    for (size_t i = 0; i < m_cells.size(); ++i) {
        const CellRect& cell = m_cells[i];
        if (cell.Left < point.x() && point.x() < cell.Right && cell.Top < point.y() &&
            point.y() < cell.Bottom)
            return static_cast<int>(i);
    }
    return -1;
}

void TWordPanel::PressCell(int cell) {
    if (m_word.isEmpty() || cell < 0)
        return;
    if (m_selected < 0) {
        m_selected = cell;
    } else if (m_selected == cell) {
        m_selected = -1;
    } else {
        std::swap(m_word[m_selected], m_word[cell]);
        m_selected = -1;
    }
    m_keyboardCell = cell;
    UpdateAccessibleText();
    update();
}

void TWordPanel::mousePressEvent(QMouseEvent* event) {
    // Any button swaps; only the left one makes the click notification.
    PressCell(CellAt(event->position().toPoint()));
    QWidget::mousePressEvent(event);
}

void TWordPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
    QWidget::mouseReleaseEvent(event);
}

void TWordPanel::keyPressEvent(QKeyEvent* event) {
    const int n = static_cast<int>(m_cells.size());
    switch (event->key()) {
    case Qt::Key_Left:
        if (n > 0)
            m_keyboardCell = (m_keyboardCell + n - 1) % n;
        UpdateAccessibleText();
        update();
        return;
    case Qt::Key_Right:
        if (n > 0)
            m_keyboardCell = (m_keyboardCell + 1) % n;
        UpdateAccessibleText();
        update();
        return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (n > 0) {
            PressCell(m_keyboardCell);
            emit Clicked();
        }
        return;
    default: QWidget::keyPressEvent(event);
    }
}

void TWordPanel::UpdateAccessibleText() {
    // A screen reader gets the letters in order, the cell under the focus
    // frame and the selected cell.
    QStringList letters;
    for (const QChar letter : m_word)
        letters.append(letter);
    std::string description =
        Format(TranslateText("Буквы: %s. Рамка на букве %d."),
               {letters.join(' ').toStdString(), static_cast<long long>(m_keyboardCell + 1)});
    if (m_selected >= 0)
        description += " " + Format(TranslateText("Выбрана буква %d."),
                                    {static_cast<long long>(m_selected + 1)});
    setAccessibleDescription(QString::fromStdString(description));
}

QString TWordPanel::ShuffleWord(const QString& word, RandomSource& random) {
    const int n = static_cast<int>(word.size());
    QString copy = word;
    if (n == 0)
        return copy;
    // A word of one letter repeated has no other order: shuffling it until it
    // changes would never end.
    const bool canChange = std::any_of(word.begin(), word.end(),
                                       [&word](QChar letter) { return letter != word.front(); });
    do {
        for (int k = 0; k < 2 * n + 1; ++k) {
            const int a = random.Below(n);
            const int b = random.Below(n);
            std::swap(copy[a], copy[b]);
        }
    } while (n >= 4 && canChange && copy == word);
    return copy;
}

} // namespace tevrix
