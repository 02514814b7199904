// SPDX-License-Identifier: GPL-3.0-or-later
// The media bar over a scripted player: the label and progress while
// playing, the rewind at the end, the jumps, the timer, the messages.
#include "ui/media/MediaBar.h"
#include "ui/media/MediaTime.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <vector>

namespace tevrix {
namespace {

// A player whose position, length and mode the test sets; it records the
// operations it is asked for.
class FakePlayer final : public MediaPlayerDevice {
public:
    QString FileName;
    bool OpenSucceeds = true;
    qint64 At = 0;
    qint64 Duration = 0;
    MediaMode CurrentMode = MediaMode::NotReady;
    bool Video = false;
    bool NotifyRequested = false;
    std::vector<QString> Operations;
    std::function<void()> Handler;

    void SetFileName(const QString& path) override { FileName = path; }
    bool Open() override {
        Record("open");
        CurrentMode = OpenSucceeds ? MediaMode::Stopped : MediaMode::NotReady;
        return OpenSucceeds;
    }
    void Close() override {
        Record("close");
        CurrentMode = MediaMode::NotReady;
    }
    void Play() override {
        Record("play");
        CurrentMode = MediaMode::Playing;
    }
    void Pause() override {
        Record("pause");
        CurrentMode = MediaMode::Paused;
    }
    void Stop() override {
        Record("stop");
        CurrentMode = MediaMode::Stopped;
    }
    qint64 Position() const override { return At; }
    void SetPosition(qint64 milliseconds) override {
        Record(QStringLiteral("seek %1").arg(milliseconds));
        At = milliseconds;
    }
    qint64 Length() const override { return Duration; }
    MediaMode Mode() const override { return CurrentMode; }
    bool HasVideo() const override { return Video; }
    void SetVideoOutput(QWidget*) override {}
    void SetNotify(bool notify) override { NotifyRequested = notify; }
    void SetNotifyHandler(std::function<void()> handler) override { Handler = std::move(handler); }

    // The player's notification of an operation done.
    void Notify() { Handler(); }

private:
    // An operation takes the notification request with it.
    void Record(const QString& operation) {
        Operations.push_back(std::exchange(NotifyRequested, false) ? operation + " notify"
                                                                   : operation);
    }
};

} // namespace

class MediaBarTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void formatMediaTime_data();
    void formatMediaTime();
    void percentRoundsHalvesToEven_data();
    void percentRoundsHalvesToEven();
    void labelAndProgressWhilePlaying();
    void nothingChangesUnlessPlaying();
    void endOfMediumRewinds();
    void jumpsOnlyWhilePlaying_data();
    void jumpsOnlyWhilePlaying();
    void buttonsSwitchTheTimer();
    void notificationFollowsTheMode_data();
    void notificationFollowsTheMode();
    void missingFile();
    void fileThePlayerRefuses();
    void emptyNameCloses();
    void videoAsksForRoom();

private:
    template <class Widget> Widget* Child(const char* name) const {
        auto* widget = m_bar->findChild<Widget*>(name);
        if (widget == nullptr)
            qFatal("no %s", name);
        return widget;
    }
    QString Label() const { return Child<QLabel>("LabelMediaTime")->text(); }
    int Progress() const { return Child<QProgressBar>("MPProgressBar")->value(); }
    QTimer* Timer() const { return m_bar->findChild<QTimer*>("MPTimer"); }
    void Click(const char* button) {
        QTest::mouseClick(Child<QToolButton>(button), Qt::LeftButton);
    }
    // An open medium of `length` ms, playing at `position`.
    void OpenPlaying(qint64 position, qint64 length);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_window;
    MediaBar* m_bar = nullptr;
    FakePlayer* m_player = nullptr;
    QStringList m_messages;
};

void MediaBarTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QFile medium(m_dir->filePath("sound.wav"));
    QVERIFY(medium.open(QIODevice::WriteOnly));
    medium.write("RIFF");
    medium.close();
    m_window = std::make_unique<QWidget>();
    auto player = std::make_unique<FakePlayer>();
    m_player = player.get();
    m_bar = new MediaBar(std::move(player), m_window.get());
    m_messages.clear();
    m_bar->SetMessageHandler([this](const QString& text) { m_messages << text; });
    m_window->resize(600, 40);
    m_window->show();
}

void MediaBarTest::cleanup() {
    m_window.reset();
    m_dir.reset();
}

void MediaBarTest::OpenPlaying(qint64 position, qint64 length) {
    QVERIFY(m_bar->OpenTaskMedia("sound.wav", m_dir->path().toStdString()));
    Click("MediaPlayerPlay");
    m_player->At = position;
    m_player->Duration = length;
}

void MediaBarTest::formatMediaTime_data() {
    QTest::addColumn<qint64>("milliseconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "00:00";
    QTest::newRow("seconds truncated") << qint64(65999) << "01:05";
    QTest::newRow("an hour is sixty minutes") << qint64(3600000) << "60:00";
    QTest::newRow("minutes above 99 take more digits") << qint64(6000000) << "100:00";
    QTest::newRow("just under a minute") << qint64(59999) << "00:59";
}

void MediaBarTest::formatMediaTime() {
    QFETCH(qint64, milliseconds);
    QFETCH(QString, text);
    QCOMPARE(FormatMediaTime(milliseconds), text);
}

void MediaBarTest::percentRoundsHalvesToEven_data() {
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<int>("percent");
    QTest::newRow("a quarter") << qint64(1500) << qint64(6000) << 25;
    QTest::newRow("half up to even") << qint64(5) << qint64(200) << 2;   // 2.5
    QTest::newRow("half down to even") << qint64(7) << qint64(200) << 4; // 3.5
    QTest::newRow("above a half") << qint64(2) << qint64(3) << 67;
    QTest::newRow("the end") << qint64(6000) << qint64(6000) << 100;
    QTest::newRow("no length") << qint64(0) << qint64(0) << 0;
}

void MediaBarTest::percentRoundsHalvesToEven() {
    QFETCH(qint64, position);
    QFETCH(qint64, length);
    QFETCH(int, percent);
    QCOMPARE(MediaPercent(position, length), percent);
}

void MediaBarTest::labelAndProgressWhilePlaying() {
    QCOMPARE(Label(), QString("00:00 (00:00)"));
    OpenPlaying(1500, 6000);
    QVERIFY(Timer()->isActive());
    QCOMPARE(Timer()->interval(), 100);
    // The timer itself refreshes the bar.
    QTRY_COMPARE(Progress(), 25);
    QCOMPARE(Label(), QString("00:01 (00:06)"));
    QCOMPARE(m_player->CurrentMode, MediaMode::Playing);
}

void MediaBarTest::nothingChangesUnlessPlaying() {
    OpenPlaying(1500, 6000);
    m_bar->MPTimerTimer();
    Click("MediaPlayerPause");
    m_player->At = 4500;
    m_bar->MPTimerTimer();
    QCOMPARE(Progress(), 25);
    QCOMPARE(Label(), QString("00:01 (00:06)"));
    // Pause again resumes.
    Click("MediaPlayerPause");
    QCOMPARE(m_player->CurrentMode, MediaMode::Playing);
    m_bar->MPTimerTimer();
    QCOMPARE(Progress(), 75);
}

void MediaBarTest::endOfMediumRewinds() {
    OpenPlaying(5900, 6000);
    m_bar->MPTimerTimer();
    QCOMPARE(Progress(), 98);
    m_player->At = 6000;
    m_player->Operations.clear();
    m_bar->MPTimerTimer();
    QCOMPARE(m_player->Operations, (std::vector<QString>{"stop", "seek 0"}));
    QCOMPARE(m_player->At, 0);
    QCOMPARE(m_player->CurrentMode, MediaMode::Stopped);
    QCOMPARE(Progress(), 0);
    QVERIFY(!Timer()->isActive());
    QCOMPARE(Label(), QString("00:06 (00:06)")); // the last text stays
    // Play starts from the beginning.
    Click("MediaPlayerPlay");
    m_bar->MPTimerTimer();
    QCOMPARE(Label(), QString("00:00 (00:06)"));
}

void MediaBarTest::jumpsOnlyWhilePlaying_data() {
    QTest::addColumn<QString>("pressFirst"); // a player button, or none
    QTest::addColumn<QString>("jump");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QStringList>("operations");
    QTest::newRow("playing, back")
        << ""
        << "bbMediaPositionMinus" << qint64(15000) << QStringList{"seek 15000", "play notify"};
    QTest::newRow("playing, forward")
        << ""
        << "bbMediaPositionPlus" << qint64(35000) << QStringList{"seek 35000", "play notify"};
    QTest::newRow("paused, back") << "MediaPlayerPause"
                                  << "bbMediaPositionMinus" << qint64(25000) << QStringList{};
    QTest::newRow("paused, forward") << "MediaPlayerPause"
                                     << "bbMediaPositionPlus" << qint64(25000) << QStringList{};
    QTest::newRow("stopped, forward") << "MediaPlayerStop"
                                      << "bbMediaPositionPlus" << qint64(25000) << QStringList{};
}

void MediaBarTest::jumpsOnlyWhilePlaying() {
    QFETCH(QString, pressFirst);
    QFETCH(QString, jump);
    QFETCH(qint64, position);
    QFETCH(QStringList, operations);
    OpenPlaying(25000, 60000);
    if (!pressFirst.isEmpty())
        Click(pressFirst.toLatin1().constData());
    m_player->Operations.clear();
    Click(jump.toLatin1().constData());
    QCOMPARE(QStringList(m_player->Operations.begin(), m_player->Operations.end()), operations);
    QCOMPARE(m_player->At, position);
}

void MediaBarTest::buttonsSwitchTheTimer() {
    QVERIFY(m_bar->OpenTaskMedia("sound.wav", m_dir->path().toStdString()));
    QVERIFY(!Timer()->isActive()); // playback waits for the pupil
    QCOMPARE(m_player->CurrentMode, MediaMode::Stopped);
    Click("MediaPlayerPause");
    QVERIFY(Timer()->isActive());
    // Opening asked to hear of the first operation.
    QCOMPARE(m_player->Operations.back(), QString("pause notify"));
    Click("MediaPlayerStop");
    QVERIFY(!Timer()->isActive());
    QCOMPARE(m_player->CurrentMode, MediaMode::Stopped);
    Click("MediaPlayerPlay");
    QVERIFY(Timer()->isActive());
    QCOMPARE(m_player->CurrentMode, MediaMode::Playing);
}

void MediaBarTest::notificationFollowsTheMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("timerBefore");
    QTest::addColumn<bool>("timerAfter");
    QTest::newRow("stopped: off") << int(MediaMode::Stopped) << true << false;
    QTest::newRow("playing: on") << int(MediaMode::Playing) << false << true;
    QTest::newRow("paused: as it was (on)") << int(MediaMode::Paused) << true << true;
    QTest::newRow("paused: as it was (off)") << int(MediaMode::Paused) << false << false;
}

void MediaBarTest::notificationFollowsTheMode() {
    QFETCH(int, mode);
    QFETCH(bool, timerBefore);
    QFETCH(bool, timerAfter);
    QVERIFY(m_bar->OpenTaskMedia("sound.wav", m_dir->path().toStdString()));
    if (timerBefore)
        Timer()->start();
    m_player->CurrentMode = MediaMode(mode);
    m_player->Notify();
    QCOMPARE(Timer()->isActive(), timerAfter);
    QVERIFY(m_player->NotifyRequested); // asked again for the next operation
}

void MediaBarTest::missingFile() {
    OpenPlaying(1500, 6000);
    m_player->Operations.clear();
    const std::string folder = m_dir->path().toStdString();
    QVERIFY(!m_bar->OpenTaskMedia("absent.mp3", folder));
    QCOMPARE(m_messages, QStringList{QString::fromStdString("Файл \"" + folder +
                                                            "/absent.mp3\" отсутствует!")});
    QVERIFY(m_player->Operations.empty()); // the player is left as it was
    QCOMPARE(m_player->CurrentMode, MediaMode::Playing);
}

void MediaBarTest::fileThePlayerRefuses() {
    m_player->OpenSucceeds = false;
    const std::string folder = m_dir->path().toStdString();
    QVERIFY(!m_bar->OpenTaskMedia("sound.wav", folder));
    QCOMPARE(m_player->FileName, QString::fromStdString(folder + "/sound.wav"));
    QCOMPARE(m_messages, QStringList{QString::fromStdString("Ошибка открытия файла: " + folder +
                                                            "/sound.wav")});
    QCOMPARE(m_player->Operations, (std::vector<QString>{"open", "close"}));
    QVERIFY(!Child<QToolButton>("MediaPlayerPlay")->isEnabled());
}

void MediaBarTest::emptyNameCloses() {
    OpenPlaying(1500, 6000);
    m_bar->MPTimerTimer();
    QVERIFY(!m_bar->OpenTaskMedia("", m_dir->path().toStdString()));
    QCOMPARE(m_player->Operations.back(), QString("close"));
    QVERIFY(!Timer()->isActive());
    QCOMPARE(Label(), QString("00:00 (00:00)"));
    QCOMPARE(Progress(), 0);
    QVERIFY(m_messages.isEmpty());
    for (const char* button : {"MediaPlayerPlay", "MediaPlayerPause", "MediaPlayerStop",
                               "bbMediaPositionMinus", "bbMediaPositionPlus"})
        QVERIFY2(!Child<QToolButton>(button)->isEnabled(), button);
}

void MediaBarTest::videoAsksForRoom() {
    QSignalSpy spy(m_bar, &MediaBar::NeededHeightChanged);
    m_player->Video = true;
    QVERIFY(m_bar->OpenTaskMedia("sound.wav", m_dir->path().toStdString()));
    QVERIFY(Child<QWidget>("MediaVideo")->isVisible());
    QCOMPARE(m_bar->NeededHeight(), MediaBar::kControlsHeight + MediaBar::kVideoHeight);
    m_bar->Close();
    QVERIFY(!Child<QWidget>("MediaVideo")->isVisible());
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), MediaBar::kControlsHeight);
}

} // namespace tevrix

QTEST_MAIN(tevrix::MediaBarTest)
#include "MediaBarTest.moc"
