// SPDX-License-Identifier: GPL-3.0-or-later
// The window's timers on a short version of the demo test: a task's time
// and the test's time run out while the pupil does nothing.

#include "ui/widgets/StatusPanels.h"
#include "ui/window/WindowFixture.h"

#include <QMessageBox>
#include <QtTest>

using namespace tevrix;
using tevrix::testing::ModalScript;
using tevrix::testing::WindowFixture;

class TimeLimitTest : public WindowFixture {
    Q_OBJECT

private:
    // The demo test with the given limits and no instruction, so the run
    // starts at once.
    QString ShortDemo(int32_t testLimit, int32_t firstTaskLimit) {
        return WriteDemoVariant([=](TTest& test, TTaskList& tasks) {
            test.TestTimeLimit = testLimit;
            test.Instruction = {};
            tasks[0].TimeLimit = firstTaskLimit;
        });
    }

private slots:
    void init() { SetUpWindow(); }
    void cleanup() { TearDownWindow(); }

    void taskTimeRunsOut() {
        QVERIFY(m_window->OpenTestFile(ShortDemo(0, 2)));
        BeginRun();
        ModalScript script;
        script.Always("MessageBox", &WindowFixture::DeclineOrConfirm);
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        QCOMPARE(m_window->Engine().Record()->CurrentPosition, 0);
        // The task's time left counts down in its panel.
        QTRY_COMPARE_WITH_TIMEOUT(m_window->Panels().PanelText(5), QString("00:00:01"), 3000);
        QVERIFY(m_window->Panels().PanelRed(5));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->Engine().Record()->CurrentPosition, 1, 4000);
        // Timed out without an answer: the task counts as not answered.
        QCOMPARE(m_window->Engine().Record()->RightCount, 0);
        QCOMPARE(State(), ProgramState::TestRunning);
    }

    void exclusiveModeCoversTheScreen() {
        const Qt::WindowFlags before = m_window->windowFlags();
        QVERIFY(m_window->OpenTestFile(WriteDemoVariant([](TTest& test, TTaskList&) {
            test.ExclusiveMode = true;
            test.Instruction = {};
        })));
        Idle();
        QCOMPARE(m_window->Panels().PanelText(9), QString("М"));
        BeginRun();
        QVERIFY(m_window->isFullScreen());
        QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_window->windowFlags().testFlag(Qt::FramelessWindowHint));
        // Minimised by someone: the next tick of the mode brings it back.
        m_window->showMinimized();
        QTRY_VERIFY_WITH_TIMEOUT(m_window->isFullScreen() && !m_window->isMinimized(), 2000);
        ModalScript script;
        script.Click("MessageBox", "YesButton");
        script.Always("MessageBox", &WindowFixture::DeclineOrConfirm);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        Action("AEndTest")->trigger();
        Idle();
        QCOMPARE(State(), ProgramState::TestLoaded);
        QVERIFY(!m_window->isFullScreen());
        QCOMPARE(m_window->windowFlags(), before);
    }

    void testTimeRunsOut() {
        QVERIFY(m_window->OpenTestFile(ShortDemo(2, 0)));
        BeginRun();
        QStringList boxes;
        ModalScript script;
        script.Always("MessageBox", [&boxes](QWidget& box) {
            boxes << static_cast<QMessageBox&>(box).text();
            WindowFixture::DeclineOrConfirm(box);
        });
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        QTRY_COMPARE_WITH_TIMEOUT(State(), ProgramState::TestLoaded, 6000);
        const TResultTest* result = m_window->Engine().LastResult();
        QVERIFY(result != nullptr);
        QCOMPARE(result->EndReason, RunEndReason::TimeOut);
        QVERIFY(ResultLog().contains("Иванов Иван"));
        // The run is finished once: one result block for the pupil.
        QCOMPARE(ResultLog().count("Иванов Иван"), 1);
    }

    // The test's time runs out while the pupil's "stop the test?" box is
    // open: the ticks inside the box only note it, and whatever the answer,
    // the run ends once, by the time-out, after the box has closed.
    void testTimeRunsOutInsideAQuestion_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("stop") << "YesButton";
        QTest::newRow("go on") << "NoButton";
    }
    void testTimeRunsOutInsideAQuestion() {
        QFETCH(QString, answer);
        QVERIFY(m_window->OpenTestFile(ShortDemo(2, 0)));
        BeginRun();
        QStringList boxes;
        ModalScript script;
        script.Then("MessageBox", [&](QWidget& question) {
            boxes << static_cast<QMessageBox&>(question).text();
            // The clock goes on behind the box, past the test's limit.
            QTest::qWait(3500);
            QCOMPARE(State(), ProgramState::TestRunning);
            QTest::mouseClick(question.findChild<QPushButton*>(answer), Qt::LeftButton);
        });
        script.Always("MessageBox", [&boxes](QWidget& box) {
            boxes << static_cast<QMessageBox&>(box).text();
            WindowFixture::DeclineOrConfirm(box);
        });
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        Action("AEndTest")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(State(), ProgramState::TestLoaded, 3000);
        QCOMPARE(boxes.value(0), QString("Вы желаете остановить тест?"));
        QCOMPARE(boxes.count("Время теста вышло!"), 1);
        QCOMPARE(m_window->Engine().LastResult()->EndReason, RunEndReason::TimeOut);
        QCOMPARE(ResultLog().count("Иванов Иван"), 1);
    }
};

QTEST_MAIN(TimeLimitTest)
#include "TimeLimitTest.moc"
