// SPDX-License-Identifier: GPL-3.0-or-later
// Each format a teacher may embed, played for real through the station's
// player: opened, played to its end (position moving) and rewound by the bar.
// The formats GStreamer on Debian cannot decode are listed in docs/media.md.
#include "ui/media/MediaBar.h"
#include "ui/media/QtMediaPlayerDevice.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

namespace tevrix {
namespace {

// The first value the bar shows after Play; -1 when it shows none in time.
int FirstProgress(const QProgressBar& progress) {
    QDeadlineTimer deadline(5000);
    while (progress.value() == 0 && !deadline.hasExpired())
        QTest::qWait(5);
    return progress.value() > 0 ? progress.value() : -1;
}

} // namespace

class MediaFormatsTest : public QObject {
    Q_OBJECT

private slots:
    void playsToTheEnd_data();
    void playsToTheEnd();
};

void MediaFormatsTest::playsToTheEnd_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("video");
    QTest::newRow("WAV") << "clip.wav" << false;
    QTest::newRow("MP3") << "clip.mp3" << false;
    QTest::newRow("WMA") << "clip.wma" << false;
    QTest::newRow("OGG") << "clip.ogg" << false;
    QTest::newRow("MIDI") << "clip.mid" << false;
    QTest::newRow("AVI") << "clip.avi" << true;
    QTest::newRow("WMV") << "clip.wmv" << true;
    QTest::newRow("MPEG") << "clip.mpg" << true;
    QTest::newRow("MP4") << "clip.mp4" << true;
}

void MediaFormatsTest::playsToTheEnd() {
    QFETCH(QString, file);
    QFETCH(bool, video);
    QWidget window;
    auto device = std::make_unique<QtMediaPlayerDevice>();
    QtMediaPlayerDevice& player = *device;
    auto* bar = new MediaBar(std::move(device), &window);
    QStringList messages;
    bar->SetMessageHandler([&messages](const QString& text) { messages << text; });
    window.resize(400, bar->NeededHeight() + MediaBar::kVideoHeight);
    window.show();

    QVERIFY2(bar->OpenTaskMedia(file.toStdString(), TEVRIX_FIXTURES "/media"),
             qPrintable(messages.join('\n') + ' ' + player.ErrorText()));
    QCOMPARE(player.HasVideo(), video);
    QCOMPARE(bar->NeededHeight() > MediaBar::kControlsHeight, video);
    QTRY_VERIFY(player.Length() > 500);

    bar->MediaPlayerClick(MediaBar::PlayerButton::Play);
    QTRY_COMPARE(player.Mode(), MediaMode::Playing);
    // The position moves, the bar follows it, and at the end the timer
    // rewinds the medium and goes off.
    auto* progress = bar->findChild<QProgressBar*>("MPProgressBar");
    const int first = FirstProgress(*progress);
    QVERIFY(first > 0);
    QTRY_VERIFY_WITH_TIMEOUT(!bar->TimerActive(), 10000);
    QCOMPARE(player.Mode(), MediaMode::Stopped);
    QCOMPARE(progress->value(), 0);
    const QString label = bar->findChild<QLabel*>("LabelMediaTime")->text();
    QVERIFY2(label.endsWith("(00:01)") || label.endsWith("(00:00)"), qPrintable(label));

    // Play starts it again from the beginning: the bar moves up from the
    // start and reaches the end once more.
    bar->MediaPlayerClick(MediaBar::PlayerButton::Play);
    QVERIFY(bar->TimerActive());
    const int again = FirstProgress(*progress);
    QVERIFY2(again > 0 && again <= first + 20,
             qPrintable(QStringLiteral("%1 after %2").arg(again).arg(first)));
    QTRY_VERIFY_WITH_TIMEOUT(!bar->TimerActive(), 10000);
    bar->Close();
    QCOMPARE(player.Mode(), MediaMode::NotReady);
    QVERIFY(messages.isEmpty());
}

} // namespace tevrix

QTEST_MAIN(tevrix::MediaFormatsTest)
#include "MediaFormatsTest.moc"
