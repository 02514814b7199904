// SPDX-License-Identifier: GPL-3.0-or-later
// One wedge over the background, checked just inside and just outside its
// edge on a large chart: shares rounded to whole per cents, halves to even,
// drawn clockwise from twelve o'clock.

#include "ui/results/PieChart.h"

#include <QPainter>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace tevrix;

namespace {

const QColor kBackground(250, 240, 0);
const QColor kWedge(0, 0, 200);

QImage DrawOne(double share) {
    QImage image(401, 401, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawPieChart(painter, image.size(), kBackground, {{share, kWedge}});
    return image;
}

QColor ColorAt(const QImage& chart, double percent) {
    const double angle = percent / 100 * 2 * std::numbers::pi;
    const double radius = 150;
    return chart.pixelColor(static_cast<int>(std::lround(200 + radius * std::sin(angle))),
                            static_cast<int>(std::lround(200 - radius * std::cos(angle))));
}

} // namespace

class PieChartTest : public QObject {
    Q_OBJECT

private slots:
    void wedge_data() {
        QTest::addColumn<double>("share");
        QTest::addColumn<double>("probe");
        QTest::addColumn<bool>("inWedge");
        QTest::newRow("25 %: the upper right quarter") << 25.0 << 24.5 << true;
        QTest::newRow("25 %: nothing past three o'clock") << 25.0 << 25.5 << false;
        QTest::newRow("25 %: nothing left of twelve o'clock") << 25.0 << 99.5 << false;
        QTest::newRow("50.5 rounds down to the even 50") << 50.5 << 50.4 << false;
        QTest::newRow("49.5 rounds up to the even 50") << 49.5 << 49.8 << true;
        QTest::newRow("51.5 rounds up to the even 52") << 51.5 << 51.8 << true;
        QTest::newRow("0.4 rounds to 0: no wedge") << 0.4 << 0.3 << false;
        QTest::newRow("a negative share: no wedge") << -5.0 << 50.0 << false;
        QTest::newRow("100 %: the whole ellipse") << 100.0 << 99.7 << true;
        QTest::newRow("99.6 rounds to 100: the whole ellipse") << 99.6 << 99.8 << true;
        QTest::newRow("99.4 rounds to 99: the last per cent free") << 99.4 << 99.7 << false;
    }
    void wedge() {
        QFETCH(double, share);
        QFETCH(double, probe);
        QFETCH(bool, inWedge);
        const QImage chart = DrawOne(share);
        QCOMPARE(ColorAt(chart, probe), inWedge ? kWedge : kBackground);
        // The box's corner is never painted; its middle is inside the ellipse.
        QCOMPARE(chart.pixelColor(2, 2), QColor(Qt::black));
        QCOMPARE(chart.pixelColor(200, 0), QColor(70, 70, 70));
    }

    // Later wedges are drawn over earlier ones.
    void wedgesInOrder() {
        QImage image(75, 75, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        DrawPieChart(painter, image.size(), Qt::white,
                     {{80, QColor(220, 0, 0)}, {60, QColor(0, 220, 0)}});
        painter.end();
        const QImage big = image.scaled(401, 401);
        QCOMPARE(ColorAt(big, 30), QColor(0, 220, 0));
        QCOMPARE(ColorAt(big, 70), QColor(220, 0, 0));
        QCOMPARE(ColorAt(big, 90), QColor(Qt::white));
    }
};

QTEST_MAIN(PieChartTest)
#include "PieChartTest.moc"
