// SPDX-License-Identifier: GPL-3.0-or-later
// Runs of the demo test taken in the real window by clicks: answers right
// and wrong, skipping, stopping, and what the run leaves behind.

#include "ui/results/ShowResultForm.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/sound/EndSound.h"
#include "ui/taskarea/TaskAreaWidget.h"
#include "ui/widgets/StatusPanels.h"
#include "ui/window/WindowFixture.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QSoundEffect>
#include <QtTest>

using namespace tevrix;
using tevrix::testing::ModalScript;
using tevrix::testing::WindowFixture;

class WholeRunTest : public WindowFixture {
    Q_OBJECT

private:
    // The slot that shows the variant `text` (variants come in a random
    // order); -1 when none does.
    int SlotOf(const QString& text) const {
        for (int slot = 0; slot < 10; ++slot) {
            auto* area = m_window->findChild<RichTextArea*>(QString("VariantRE_1_%1").arg(slot));
            if (area != nullptr && area->isVisible() && area->toPlainText().trimmed() == text)
                return slot;
        }
        return -1;
    }
    void ClickVariant(const char* kind, const QString& text) {
        const int slot = SlotOf(text);
        QVERIFY2(slot >= 0, qPrintable(text));
        auto* button = m_window->findChild<QAbstractButton*>(QString("%1%2").arg(kind).arg(slot));
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void Click(const char* name) {
        auto* button = m_window->findChild<QAbstractButton*>(name);
        QVERIFY2(button != nullptr, name);
        QVERIFY2(button->isEnabled() && button->isVisible(), name);
        QTest::mouseClick(button, Qt::LeftButton);
        Idle();
    }
    int Position() const { return m_window->Engine().Record()->CurrentPosition; }

private slots:
    void init() { SetUpWindow(); }
    void cleanup() { TearDownWindow(); }

    // The first two tasks answered, the third skipped, then "Закончить тест".
    void answerSkipAndStop_data() {
        QTest::addColumn<QString>("capital");
        QTest::addColumn<QStringList>("evenNumbers");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<double>("score");
        QTest::addColumn<bool>("explanationOffered");
        // The task on screen when the run is stopped is checked as it stands:
        // untouched, it counts as one more wrong answer.
        QTest::newRow("both right")
            << "Париж" << QStringList{"2", "8", "14"} << 2 << 1 << 3.0 << false;
        QTest::newRow("capital wrong")
            << "Лион" << QStringList{"2", "8", "14"} << 1 << 2 << 2.0 << true;
        QTest::newRow("both wrong") << "Ницца" << QStringList{"3", "11"} << 0 << 3 << 0.0 << true;
    }
    void answerSkipAndStop() {
        QFETCH(QString, capital);
        QFETCH(QStringList, evenNumbers);
        QFETCH(int, right);
        QFETCH(int, wrong);
        QFETCH(double, score);
        QFETCH(bool, explanationOffered);
        OpenDemo();
        BeginRun();
        QStringList boxes;
        ModalScript script;
        script.Always("MessageBox", [&boxes](QWidget& box) {
            boxes << static_cast<QMessageBox&>(box).text();
            WindowFixture::DeclineOrConfirm(box);
        });
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);

        QCOMPARE(Position(), 0);
        auto* check = m_window->findChild<QAbstractButton*>("BitBtnGoCheck");
        QVERIFY(!check->isEnabled()); // nothing touched yet
        ClickVariant("VariantRadioButton", capital);
        Click("BitBtnGoCheck");
        QCOMPARE(Position(), 1);
        QCOMPARE(boxes.join('|').contains("Показать пояснения?"), explanationOffered);

        for (const QString& number : evenNumbers)
            ClickVariant("VariantCheckBox", number);
        Click("BitBtnGoCheck");
        QCOMPARE(Position(), 2);
        QCOMPARE(m_window->Panels().PanelText(1), QString("3/9"));

        Click("BitBtnSkipping");
        QCOMPARE(Position(), 3);

        // "Закончить тест", confirmed.
        script.Click("MessageBox", "YesButton");
        Action("AEndTest")->trigger();
        Idle();
        QCOMPARE(State(), ProgramState::TestLoaded);
        const TResultTest* result = m_window->Engine().LastResult();
        QVERIFY(result != nullptr);
        QCOMPARE(result->RightCount, right);
        QCOMPARE(result->WrongCount, wrong);
        QCOMPARE(result->Score, score);
        QCOMPARE(result->EndReason, RunEndReason::Stopped);
        QCOMPARE(QString::fromStdString(result->UserName), QString("Иванов Иван"));
        // The summary replaces the task in the question area, the log has
        // the run, and the status bar is back to a loaded test.
        const QString summary = m_window->TaskArea().QuestionText().toPlainText();
        QVERIFY2(summary.contains("Иванов Иван") || summary.contains("Демонстрационный тест"),
                 qPrintable(summary));
        QVERIFY(ResultLog().contains("Иванов Иван"));
        QCOMPARE(m_window->Panels().PanelText(0), QString("Тест выбран"));
        QCOMPARE(m_window->Panels().PanelText(11), QString());
        QVERIFY(Action("ABeginTest")->isEnabled());
        // The end sound, then the result window, then the report.
        const QSoundEffect* sound = m_window->Controller().Sound().Current();
        QVERIFY(sound != nullptr);
        QCOMPARE(sound->source(), EndSound::kBuiltInSound);
        const QStringList seen = script.Seen();
        const qsizetype resultWindow = seen.indexOf("ShowResultForm");
        QVERIFY(resultWindow >= 0);
        QCOMPARE(seen.lastIndexOf("TextViewForm"), seen.size() - 1);
        QVERIFY(seen.lastIndexOf("TextViewForm") > resultWindow);
        QCOMPARE(m_window->Controller().ResultForm().windowTitle(),
                 QString("Результаты тестирования (Иванов Иван 10 А)"));
    }

    // Keys instead of the mouse: a digit answers a one-choice task, F5
    // starts the run.
    void digitKeyAnswers() {
        OpenDemo();
        ModalScript script;
        script.Then("InputUserNameForm", [](QWidget& window) {
            ModalScript::Type(window, "UserName", "Ёлкин Пётр");
            ModalScript::Type(window, "UserGroup", "11 б");
            QTest::keyClick(window.findChild<QLineEdit*>("UserGroup"), Qt::Key_Return);
        });
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        script.Always("MessageBox", &WindowFixture::DeclineOrConfirm);
        QTest::keyClick(m_window.get(), Qt::Key_F5);
        Idle();
        QCOMPARE(State(), ProgramState::TestRunning);
        QCOMPARE(m_window->Panels().PanelText(11), QString("Ёлкин Пётр 11 б"));
        const int slot = SlotOf("Париж");
        QVERIFY(slot >= 0);
        QTest::keyClick(m_window.get(), char('1' + slot));
        auto* check = m_window->findChild<QAbstractButton*>("BitBtnGoCheck");
        QTRY_VERIFY(check->isEnabled());
        Click("BitBtnGoCheck");
        QCOMPARE(Position(), 1);
        QCOMPARE(m_window->Engine().Record()->RightCount, 1);
    }
};

QTEST_MAIN(WholeRunTest)
#include "WholeRunTest.moc"
