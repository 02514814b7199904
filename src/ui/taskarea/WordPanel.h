// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

namespace tevrix {

class RandomSource;

// The word-composition panel: the letters of a word in a row of cells; the
// pupil exchanges two letters by clicking one cell and then another. The
// keyboard does the same: Left and Right move a focus frame over the cells,
// Space or Enter act as a click on the framed cell.
class TWordPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Word READ Word WRITE SetWord)
    Q_PROPERTY(int CellWidth READ CellWidth WRITE SetCellWidth)
    Q_PROPERTY(int CellHeight READ CellHeight WRITE SetCellHeight)
    Q_PROPERTY(int SpaceWidth READ SpaceWidth WRITE SetSpaceWidth)
    Q_PROPERTY(QColor ColorDef READ ColorDef WRITE SetColorDef)
    Q_PROPERTY(QColor ColorActiv READ ColorActiv WRITE SetColorActiv)

public:
    // A cell in client pixels; Right and Bottom lie just outside the letter's
    // area, as the frame is drawn on them.
    struct CellRect {
        int Left = 0;
        int Top = 0;
        int Right = 0;
        int Bottom = 0;
        friend bool operator==(const CellRect&, const CellRect&) = default;
    };

    explicit TWordPanel(QWidget* parent = nullptr);

    const QString& Word() const { return m_word; }
    // Lays the cells out anew and clears the selection.
    void SetWord(const QString& word);
    int CellWidth() const { return m_cellWidth; }
    int CellHeight() const { return m_cellHeight; }
    int SpaceWidth() const { return m_spaceWidth; }
    // These three take effect at the next SetWord or resize.
    void SetCellWidth(int width);
    void SetCellHeight(int height);
    void SetSpaceWidth(int width);
    QColor ColorDef() const { return m_colorDef; }
    QColor ColorActiv() const { return m_colorActiv; }
    void SetColorDef(const QColor& color) { m_colorDef = color; }
    void SetColorActiv(const QColor& color) { m_colorActiv = color; }

    const std::vector<CellRect>& Cells() const { return m_cells; }
    // The selected cell, or -1.
    int Selected() const { return m_selected; }
    // The font size the letters are painted in: the widget's, lowered until
    // "Щ" fits the first cell, but not below 9 points.
    int FittedPointSize() const;

    // The word a composing task starts with: 2n + 1 exchanges of two
    // positions drawn independently (they may coincide); a word of four or
    // more letters that comes out unchanged is shuffled again. `random` is
    // used as it stands, never reseeded.
    static QString ShuffleWord(const QString& word, RandomSource& random);

signals:
    // A click on the panel (the left button released over it, or Space or
    // Enter): the pupil touched the answer.
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LayoutCells();
    void PressCell(int cell);
    int CellAt(QPoint point) const;
    void UpdateAccessibleText();

    QString m_word;
    int m_cellWidth = 60;
    int m_cellHeight = 70;
    int m_spaceWidth = 2;
    QColor m_colorDef = QColor(255, 255, 255);
    QColor m_colorActiv = QColor(55, 255, 255);
    std::vector<CellRect> m_cells;
    int m_selected = -1;
    int m_keyboardCell = 0; // the cell the focus frame is on
};

} // namespace tevrix
