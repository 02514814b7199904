// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results/PieChart.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace tevrix {
namespace {

const QColor kOutline(70, 70, 70);

// Qt's angles are sixteenths of a degree, counter-clockwise from three
// o'clock.
constexpr int kSixteenths = 16;
constexpr int kFullCircle = 360 * kSixteenths;
constexpr int kTwelveOClock = 90 * kSixteenths;

// The angle of the ellipse's point on the radius through (x, y), as the
// parameter Qt's arcs take.
int ArcAngleThrough(QPointF point, QSizeF size) {
    const double dx = (point.x() - size.width() / 2) / (size.width() / 2);
    const double dy = (size.height() / 2 - point.y()) / (size.height() / 2);
    return static_cast<int>(std::lround(std::atan2(dy, dx) * 180 / std::numbers::pi * kSixteenths));
}

void DrawWedge(QPainter& painter, QSize size, const PieWedge& wedge) {
    // Whole per cents, halves to even (the default rounding mode).
    const double share = std::nearbyint(wedge.Percent);
    if (share <= 0)
        return;
    // The wedge runs counter-clockwise from the radius through this point up
    // to the radius through twelve o'clock.
    const double theta = (share / 50 + 0.5) * std::numbers::pi;
    const QPointF start(std::lround((1 - std::cos(theta)) * size.width() / 2),
                        std::lround((1 - std::sin(theta)) * size.height() / 2));
    const int startAngle = ArcAngleThrough(start, size);
    int span = (kTwelveOClock - startAngle) % kFullCircle;
    if (span <= 0)
        span += kFullCircle; // both radii coincide: the whole ellipse
    painter.setBrush(wedge.Color);
    painter.drawPie(QRectF(0, 0, size.width() - 1, size.height() - 1), startAngle, span);
}

} // namespace

void DrawPieChart(QPainter& painter, QSize size, const QColor& background,
                  const std::vector<PieWedge>& wedges) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kOutline);
    painter.setBrush(background);
    painter.drawEllipse(QRectF(0, 0, size.width() - 1, size.height() - 1));
    for (const PieWedge& wedge : wedges)
        DrawWedge(painter, size, wedge);
    painter.restore();
}

PieChartBox::PieChartBox(QWidget* parent) : QWidget(parent) {}

void PieChartBox::SetChart(const QColor& background, std::vector<PieWedge> wedges) {
    m_background = background;
    m_wedges = std::move(wedges);
    update();
}

void PieChartBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawPieChart(painter, size(), m_background, m_wedges);
}

} // namespace tevrix
