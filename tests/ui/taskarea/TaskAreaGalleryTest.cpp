// SPDX-License-Identifier: GPL-3.0-or-later
// task-area-gallery as a teacher runs it: every kind of the demo test written
// to a screenshot of the window's size, and a clean failure for a task the
// test does not have.
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace tevrix {

class TaskAreaGalleryTest : public QObject {
    Q_OBJECT

private slots:
    void ScreenshotOfEveryKind_data();
    void ScreenshotOfEveryKind();
    void NoSuchTask_data();
    void NoSuchTask();

private:
    static int Run(const QStringList& arguments, QString* errors = nullptr) {
        QProcess gallery;
        gallery.setProcessChannelMode(QProcess::SeparateChannels);
        gallery.start(TEVRIX_GALLERY, arguments);
        if (!gallery.waitForFinished(60000))
            return -1;
        if (errors)
            *errors = QString::fromLocal8Bit(gallery.readAllStandardError());
        return gallery.exitStatus() == QProcess::NormalExit ? gallery.exitCode() : -1;
    }
    QTemporaryDir m_dir;
};

void TaskAreaGalleryTest::ScreenshotOfEveryKind_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("size");
    for (int kind = 1; kind <= 9; ++kind)
        QTest::addRow("kind %d", kind)
            << QStringList{"--kind", QString::number(kind)} << QSize(800, 700);
    QTest::newRow("matching, long texts, right answer")
        << QStringList{"--kind", "4", "--long-texts", "--right-answer", "--size", "1024x768"}
        << QSize(1024, 768);
    QTest::newRow("task 8 with its areas")
        << QStringList{"--task", "8", "--right-answer"} << QSize(800, 700);
}

void TaskAreaGalleryTest::ScreenshotOfEveryKind() {
    QFETCH(QStringList, options);
    QFETCH(QSize, size);
    const QString file =
        m_dir.filePath(QString(QTest::currentDataTag()).replace(' ', '_') + ".png");
    QString errors;
    QCOMPARE(Run(options + QStringList{"--screenshot", file}, &errors), 0);
    const QImage shot(file);
    QVERIFY2(!shot.isNull(), qPrintable(errors));
    QCOMPARE(shot.size() / shot.devicePixelRatio(), size);
    // The window was painted: text, frames and controls in many shades.
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3)
            colours.insert(shot.pixel(x, y));
    QVERIFY2(colours.size() > 20, qPrintable(QString::number(colours.size())));
}

void TaskAreaGalleryTest::NoSuchTask_data() {
    QTest::addColumn<QStringList>("options");
    QTest::newRow("task 0") << QStringList{"--task", "0"};
    QTest::newRow("task after the last") << QStringList{"--task", "99"};
    QTest::newRow("a kind the test lacks") << QStringList{"--kind", "12"};
    QTest::newRow("no such file") << QStringList{"/nonexistent/test.tvf"};
}

void TaskAreaGalleryTest::NoSuchTask() {
    QFETCH(QStringList, options);
    const QString file = m_dir.filePath("none.png");
    QString errors;
    QCOMPARE(Run(options + QStringList{"--screenshot", file}, &errors), 1);
    QVERIFY2(errors.contains("task-area-gallery: "), qPrintable(errors));
    QVERIFY(!QFile::exists(file));
}

} // namespace tevrix

QTEST_MAIN(tevrix::TaskAreaGalleryTest)
#include "TaskAreaGalleryTest.moc"
