// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QSize>
#include <QWidget>

#include <vector>

class QPainter;

namespace tevrix {

// One wedge of a pie chart: a share in per cent, measured clockwise from
// twelve o'clock.
struct PieWedge {
    double Percent = 0;
    QColor Color;
};

// A pie chart in a box of `size`: the ellipse filled with `background` and
// outlined in dark grey, then each wedge in turn over it. A share is rounded
// to a whole per cent (halves to even); a wedge of 0 % or less is left out,
// one of 100 % fills the whole ellipse.
void DrawPieChart(QPainter& painter, QSize size, const QColor& background,
                  const std::vector<PieWedge>& wedges);

// The box a pie chart is painted in.
class PieChartBox : public QWidget {
    Q_OBJECT

public:
    explicit PieChartBox(QWidget* parent = nullptr);

    void SetChart(const QColor& background, std::vector<PieWedge> wedges);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_background = Qt::white;
    std::vector<PieWedge> m_wedges;
};

} // namespace tevrix
