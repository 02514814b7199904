// SPDX-License-Identifier: GPL-3.0-or-later
// The media bar in the station's window: shown with the task's video, played,
// and closed when the task is checked and when the run ends.
#include "WindowFixture.h"
#include "support/FileBytes.h"
#include "ui/media/MediaBar.h"
#include "ui/media/QtMediaPlayerDevice.h"
#include "ui/taskarea/TaskAreaWidget.h"

#include <QMediaPlayer>
#include <QProgressBar>
#include <QToolButton>

namespace tevrix {

class MediaInWindowTest : public testing::WindowFixture {
    Q_OBJECT

private slots:
    void init() { SetUpWindow(); }
    void cleanup() { TearDownWindow(); }

    void videoTaskPlaysAndClosesWithTheRun() {
        // Every task carries the video, the first one shown too.
        const std::string clip = testing::ReadWholeFile(TEVRIX_FIXTURES "/media/clip.mp4");
        QVERIFY(!clip.empty());
        // The multimedia framework is started only by a task with a medium.
        auto* device = dynamic_cast<QtMediaPlayerDevice*>(&m_window->Media().Player());
        QVERIFY(device != nullptr);
        QVERIFY(device->findChild<QMediaPlayer*>() == nullptr);
        QVERIFY(m_window->OpenTestFile(WriteDemoVariant(
            [](TTest& test, TTaskList& tasks) {
                test.Instruction = {};
                for (TTask& task : tasks)
                    task.MediaFile = "clip.mp4";
            },
            {{"clip.mp4", std::vector<uint8_t>(clip.begin(), clip.end())}})));
        BeginRun();
        MediaBar& bar = m_window->Media();
        QWidget& panel = m_window->TaskArea().MediaPanel();
        QVERIFY(panel.isVisible());
        QVERIFY(device->findChild<QMediaPlayer*>() != nullptr);
        QCOMPARE(bar.Player().Mode(), MediaMode::Stopped);
        QVERIFY(bar.findChild<QWidget*>("MediaVideo")->isVisible());
        QCOMPARE(panel.height(), MediaBar::kControlsHeight + MediaBar::kVideoHeight);

        QTest::mouseClick(bar.findChild<QToolButton*>("MediaPlayerPlay"), Qt::LeftButton);
        QVERIFY(bar.TimerActive());
        QTRY_VERIFY(bar.findChild<QProgressBar*>("MPProgressBar")->value() > 0);
        QTest::mouseClick(bar.findChild<QToolButton*>("MediaPlayerPause"), Qt::LeftButton);
        QTRY_COMPARE(bar.Player().Mode(), MediaMode::Paused);
        const QString shots = qEnvironmentVariable("TEVRIX_SCREENSHOTS");
        if (!shots.isEmpty())
            QVERIFY(m_window->grab().save(shots + "/station-video-task.png"));

        testing::ModalScript script;
        script.Click("MessageBox", "YesButton");
        script.Always("MessageBox", &WindowFixture::DeclineOrConfirm);
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        Action("AEndTest")->trigger();
        Idle();
        QCOMPARE(State(), ProgramState::TestLoaded);
        QCOMPARE(bar.Player().Mode(), MediaMode::NotReady);
        QVERIFY(!bar.TimerActive());
        QVERIFY(!panel.isVisible());
    }
};

} // namespace tevrix

QTEST_MAIN(tevrix::MediaInWindowTest)
#include "MediaInWindowTest.moc"
