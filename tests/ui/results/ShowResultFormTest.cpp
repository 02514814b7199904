// SPDX-License-Identifier: GPL-3.0-or-later
// The result window as the pupil sees it: its texts after a run and its two
// pie charts, read back pixel by pixel.

#include "ui/results/ShowResultForm.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace tevrix;

namespace {

TextLocale CommaLocale() {
    return TextLocale{{}, ','};
}

ResultWindowValues Values(int tasks, int done, int right, double score, int maxScore,
                          std::string markName, int mark = 4) {
    return {"Иванов Иван", "10 А", tasks, done, right, mark, std::move(markName), maxScore, score};
}

const QColor kWhite(255, 255, 255);
const QColor kRed(220, 0, 0);
const QColor kGreen(0, 220, 0);

// The colour of a chart at `percent` of the way round clockwise from twelve
// o'clock, two thirds out from the centre.
QColor ChartColorAt(const QImage& chart, double percent) {
    const double angle = percent / 100 * 2 * std::numbers::pi;
    const double radius = chart.width() / 3.0;
    const int x = static_cast<int>(std::lround(chart.width() / 2.0 + radius * std::sin(angle)));
    const int y = static_cast<int>(std::lround(chart.height() / 2.0 - radius * std::cos(angle)));
    return chart.pixelColor(x, y);
}

QImage Chart(TShowResultForm& form, const char* name) {
    return form.findChild<QWidget*>(name)->grab().toImage();
}

QString Text(TShowResultForm& form, const char* name) {
    return form.findChild<QLabel*>(name)->text();
}

} // namespace

Q_DECLARE_METATYPE(tevrix::ResultWindowValues)

class ShowResultFormTest : public QObject {
    Q_OBJECT

private slots:
    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Label1") << "Label1" << QRect(56, 16, 0, 0);
        QTest::newRow("CountTaskLabel") << "CountTaskLabel" << QRect(245, 16, 27, 0);
        QTest::newRow("Label6") << "Label6" << QRect(56, 41, 0, 0);
        QTest::newRow("Label3") << "Label3" << QRect(85, 66, 0, 0);
        QTest::newRow("Label4") << "Label4" << QRect(84, 91, 0, 0);
        QTest::newRow("Label2") << "Label2" << QRect(348, 2, 0, 0);
        QTest::newRow("PaintBox") << "PaintBox" << QRect(334, 16, 75, 75);
        QTest::newRow("Label5") << "Label5" << QRect(355, 100, 0, 0);
        QTest::newRow("PaintBox1") << "PaintBox1" << QRect(334, 114, 75, 75);
        QTest::newRow("YourScore") << "YourScore" << QRect(13, 133, 312, 38);
        QTest::newRow("Bevel1") << "Bevel1" << QRect(8, 195, 417, 0);
        QTest::newRow("YourMark") << "YourMark" << QRect(8, 214, 412, 23);
        QTest::newRow("BitBtn1") << "BitBtn1" << QRect(6, 254, 417, 30);
    }
    // Every component at its place (a size of 0 is the text's own).
    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        TShowResultForm form(nullptr, CommaLocale());
        QCOMPARE(form.size(), QSize(428, 291));
        const QWidget* widget = form.findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->pos(), geometry.topLeft());
        if (geometry.width() > 0)
            QCOMPARE(widget->width(), geometry.width());
        if (geometry.height() > 0)
            QCOMPARE(widget->height(), geometry.height());
        QVERIFY(form.rect().contains(widget->geometry()));
    }

    void texts_data() {
        QTest::addColumn<ResultWindowValues>("values");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("counts");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("score");
        QTest::addColumn<QString>("mark");
        QTest::newRow("10 tasks, 8 asked, 6 right")
            << Values(10, 8, 6, 7.5, 10, "хорошо") << "Результаты тестирования (Иванов Иван 10 А)"
            << QStringList{"10", "8", "6"} << "60,0%."
            << "Набрано баллов: 7,5 из 10 возможных.\nВаш результат: 75,0%."
            << "Ваша оценка: хорошо";
        QTest::newRow("unavailable result")
            << Values(10, 3, -1, 0, 10, "недоступно...", 0)
            << "Результаты тестирования (Иванов Иван 10 А)" << QStringList{"10", "3", "-1"}
            << "-10,0%."
            << "Набрано баллов: 0,0 из 10 возможных.\nВаш результат: 0,0%."
            << "Ваша оценка: недоступно...";
        QTest::newRow("mark without a name, no points to win")
            << Values(4, 4, 4, 0, 0, "", 5) << "Результаты тестирования (Иванов Иван 10 А)"
            << QStringList{"4", "4", "4"} << "100,0%."
            << "Набрано баллов: 0,0 из 0 возможных.\nВаш результат: 0,0%."
            << "Ваша оценка: 5";
    }
    void texts() {
        QFETCH(ResultWindowValues, values);
        TShowResultForm form(nullptr, CommaLocale());
        form.SetValues(values);
        form.show();
        QTEST(form.windowTitle(), "caption");
        QTEST((QStringList{Text(form, "CountTaskLabel"), Text(form, "CountAskTaskLabel"),
                           Text(form, "CountCorrectTaskLabel")}),
              "counts");
        QTEST(Text(form, "ResultLabel"), "result");
        QTEST(Text(form, "YourScore"), "score");
        QTEST(Text(form, "YourMark"), "mark");
        // The counts end in one column; every number shows whole, clear of
        // its caption.
        const std::pair<const char*, const char*> numbers[] = {{"Label1", "CountTaskLabel"},
                                                               {"Label6", "CountAskTaskLabel"},
                                                               {"Label3", "CountCorrectTaskLabel"},
                                                               {"Label4", "ResultLabel"}};
        for (const auto& [captionName, numberName] : numbers) {
            const QLabel* caption = form.findChild<QLabel*>(captionName);
            const QLabel* number = form.findChild<QLabel*>(numberName);
            QVERIFY2(number->width() >= number->sizeHint().width(), numberName);
            QVERIFY2(caption->geometry().right() <
                         number->x() + number->width() -
                             number->fontMetrics().horizontalAdvance(number->text()),
                     numberName);
            QVERIFY2(number->geometry().right() + 1 >= 272, numberName);
        }
        QCOMPARE(form.findChild<QLabel*>("CountTaskLabel")->geometry().right() + 1, 272);
        // The points and the mark fit their labels.
        for (const char* name : {"YourScore", "YourMark"}) {
            const QLabel* label = form.findChild<QLabel*>(name);
            const QSize needed = label->fontMetrics().size(0, label->text());
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(), name);
        }
    }

    // A run without tasks leaves what the window showed before.
    void zeroTasksKeepTheTexts() {
        TShowResultForm form(nullptr, CommaLocale());
        form.SetValues(Values(0, 0, 0, 0, 0, "отлично"));
        form.show();
        QCOMPARE(form.windowTitle(), QString("Результаты теста"));
        QCOMPARE(Text(form, "YourMark"), QString());
        form.hide();
        form.SetValues(Values(10, 8, 6, 7.5, 10, "хорошо"));
        form.show();
        form.hide();
        ResultWindowValues empty = Values(0, 0, 0, 0, 0, "отлично");
        empty.UserName = "Петров Пётр";
        form.SetValues(empty);
        form.show();
        QCOMPARE(form.windowTitle(), QString("Результаты тестирования (Иванов Иван 10 А)"));
        QCOMPARE(Text(form, "CountTaskLabel"), QString("10"));
        QCOMPARE(Text(form, "ResultLabel"), QString("60,0%."));
        QCOMPARE(Text(form, "YourMark"), QString("Ваша оценка: хорошо"));
    }

    // The caption without a group has no trailing blank.
    void captionIsTrimmed() {
        TShowResultForm form(nullptr, CommaLocale());
        ResultWindowValues values = Values(2, 2, 1, 1, 2, "3");
        values.UserGroup = "";
        form.SetValues(values);
        form.show();
        QCOMPARE(form.windowTitle(), QString("Результаты тестирования (Иванов Иван)"));
    }

    void charts_data() {
        QTest::addColumn<ResultWindowValues>("values");
        QTest::addColumn<QList<double>>("percents");
        QTest::addColumn<QList<QColor>>("tasks");
        QTest::addColumn<QList<QColor>>("points");
        const QList<double> at{5, 55, 65, 75, 85, 95};
        QTest::newRow("80 % asked, 60 % right, 70 % of the points")
            << Values(10, 8, 6, 7, 10, "хорошо") << at
            << QList<QColor>{kGreen, kGreen, kRed, kRed, kWhite, kWhite}
            << QList<QColor>{kGreen, kGreen, kGreen, kRed, kRed, kRed};
        QTest::newRow("0 %: the points chart fully red")
            << Values(10, 0, 0, 0, 10, "плохо") << at
            << QList<QColor>{kWhite, kWhite, kWhite, kWhite, kWhite, kWhite}
            << QList<QColor>{kRed, kRed, kRed, kRed, kRed, kRed};
        QTest::newRow("100 %: both charts fully green")
            << Values(10, 10, 10, 10, 10, "отлично") << at
            << QList<QColor>{kGreen, kGreen, kGreen, kGreen, kGreen, kGreen}
            << QList<QColor>{kGreen, kGreen, kGreen, kGreen, kGreen, kGreen};
        QTest::newRow("unavailable: no green wedge")
            << Values(10, 8, -1, 0, 10, "недоступно...", 0) << at
            << QList<QColor>{kRed, kRed, kRed, kRed, kWhite, kWhite}
            << QList<QColor>{kRed, kRed, kRed, kRed, kRed, kRed};
        QTest::newRow("no points to win: no wedge, no failure")
            << Values(4, 4, 2, 0, 0, "3") << at
            << QList<QColor>{kGreen, kRed, kRed, kRed, kRed, kRed}
            << QList<QColor>{kRed, kRed, kRed, kRed, kRed, kRed};
    }
    void charts() {
        QFETCH(ResultWindowValues, values);
        QFETCH(QList<double>, percents);
        QFETCH(QList<QColor>, tasks);
        QFETCH(QList<QColor>, points);
        TShowResultForm form(nullptr, CommaLocale());
        form.SetValues(values);
        const QImage tasksChart = Chart(form, "PaintBox");
        const QImage pointsChart = Chart(form, "PaintBox1");
        for (qsizetype i = 0; i < percents.size(); ++i) {
            const QByteArray where = QByteArray::number(percents[i]) + " %";
            QVERIFY2(ChartColorAt(tasksChart, percents[i]) == tasks[i], "tasks at " + where);
            QVERIFY2(ChartColorAt(pointsChart, percents[i]) == points[i], "points at " + where);
        }
        // The outline is dark grey.
        QCOMPARE(tasksChart.pixelColor(37, 0), QColor(70, 70, 70));
        QCOMPARE(pointsChart.pixelColor(0, 37), QColor(70, 70, 70));
    }

    void okCloses() {
        TShowResultForm form(nullptr, CommaLocale());
        form.SetValues(Values(10, 8, 6, 7.5, 10, "хорошо"));
        QTimer::singleShot(0, &form, [&form] {
            auto* ok = form.findChild<QPushButton*>("BitBtn1");
            QCOMPARE(ok->accessibleName(), QString("OK"));
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        TResultTest record = TResultTest::Create(10);
        record.UserName = "Сидоров Сидор";
        record.UserGroup = "9 Б";
        record.TaskCount = 10;
        form.ShowResultWindow(record);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.windowTitle(), QString("Результаты тестирования (Сидоров Сидор 9 Б)"));
    }
};

QTEST_MAIN(ShowResultFormTest)
#include "ShowResultFormTest.moc"
