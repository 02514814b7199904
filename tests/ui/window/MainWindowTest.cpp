// SPDX-License-Identifier: GPL-3.0-or-later
// The station's main window driven by its menus, keys and dialogs, on the
// demo test.

#include "session/SessionEngine.h"
#include "text/Cp1251.h"
#include "ui/StudentMainForm.h"
#include "ui/dialogs/InputUserNameForm.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/taskarea/TaskAreaWidget.h"
#include "ui/widgets/StatusPanels.h"
#include "ui/window/ModalScript.h"
#include "ui/window/WindowFixture.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tevrix;
using tevrix::testing::kDemoTest;
using tevrix::testing::ModalScript;
using tevrix::testing::WindowFixture;

class MainWindowTest : public WindowFixture {
    Q_OBJECT

private:
    QString Panel(int index) const { return m_window->Panels().PanelText(index); }

private slots:
    void init() { SetUpWindow(); }
    void cleanup() { TearDownWindow(); }

    void startsEmpty() {
        Idle();
        QCOMPARE(State(), ProgramState::NoTest);
        QCOMPARE(m_window->windowTitle(), QString("Tevrix Student"));
        QCOMPARE(Panel(0), QString("Тест не выбран"));
        // The log's start line is written at start-up.
        QVERIFY(ResultLog().trimmed().endsWith(" Запущена программа TevrixStudent."));
    }

    void startSize_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("size");
        QTest::newRow("large screen") << QSize(1920, 1080) << QSize(800, 700);
        QTest::newRow("screen of 800 x 600") << QSize(800, 600) << QSize(700, 500);
        QTest::newRow("only lower") << QSize(1024, 700) << QSize(800, 600);
        QTest::newRow("just larger") << QSize(801, 701) << QSize(800, 700);
    }
    void startSize() {
        QFETCH(QSize, screen);
        QFETCH(QSize, size);
        QCOMPARE(TStudentMainForm::StartSize(screen), size);
    }

    // Without window settings the window opens at its start size (or the
    // least size its status panels need, when that is larger), in the middle
    // of the screen.
    void startsCentredAtItsStartSize() {
        const QRect screen = m_window->screen()->availableGeometry();
        QCOMPARE(
            m_window->size(),
            TStudentMainForm::StartSize(screen.size()).expandedTo(m_window->minimumSizeHint()));
        QVERIFY2((m_window->frameGeometry().center() - screen.center()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("window at %1,%2 on a screen of %3 x %4")
                                .arg(m_window->x())
                                .arg(m_window->y())
                                .arg(screen.width())
                                .arg(screen.height())));
    }

    // What the engine learns from the text viewer: OK, or closed otherwise.
    void viewerResultReachesTheEngine_data() {
        QTest::addColumn<bool>("byOk");
        QTest::newRow("OK") << true;
        QTest::newRow("Escape") << false;
    }
    void viewerResultReachesTheEngine() {
        QFETCH(bool, byOk);
        QString caption;
        ModalScript script;
        script.Then("TextViewForm", [&](QWidget& viewer) {
            caption = viewer.windowTitle();
            if (byOk)
                CloseViewer(viewer);
            else
                QTest::keyClick(&viewer, Qt::Key_Escape);
        });
        SessionDialogs& dialogs = m_window->Controller();
        QCOMPARE(dialogs.ShowTextViewer(RichText{"Подсказка"}, "Подсказка к заданию..."), byOk);
        QCOMPARE(caption, QString("Подсказка к заданию..."));
    }

    void menusInTheirOrder() {
        QStringList titles;
        for (QAction* menu : m_window->menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, (QStringList{"Файл", "Тест", "Настройка", "Справка"}));
        QStringList file;
        for (QAction* item : m_window->findChild<QMenu*>("miFile")->actions())
            file << (item->isSeparator() ? QString("-") : item->text());
        QCOMPARE(file, (QStringList{"&Открыть...", "Получить по сети", "Закрыть", "-",
                                    "Предыдущие файлы", "-", "В&ыход"}));
        QCOMPARE(Action("AOpenTest")->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(Action("ABeginTest")->shortcut(), QKeySequence("F5"));
        QCOMPARE(Action("AZoomIn")->shortcut(), QKeySequence("Ctrl+U"));
        QCOMPARE(Action("AZoomOut")->shortcut(), QKeySequence("Ctrl+D"));
        QCOMPARE(Action("AShowAreaOfFocus")->shortcut(), QKeySequence("F10"));
        QCOMPARE(Action("ACalculator")->shortcut(), QKeySequence("Alt+="));
        QStringList options;
        for (QAction* item : m_window->findChild<QMenu*>("miOptions")->actions())
            options << (item->isSeparator() ? QString("-") : item->text());
        QCOMPARE(options, (QStringList{"Масштаб", "-", "-", "Параметры...", "-"}));
        QStringList help;
        for (QAction* item : m_window->findChild<QMenu*>("miHelp")->actions())
            help << (item->isSeparator() ? QString("-") : item->text());
        QCOMPARE(help, (QStringList{"Просмотр справки", "-", "Лицензия", "Поддержать программу",
                                    "-", "О программе"}));
    }

    // Which commands are enabled in each program state.
    void commandRules_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("enabled");
        const struct {
            const char* Action;
            bool NoTest, Loaded, Running;
        } rules[] = {
            {"AOpenTest", true, false, false},
            {"AGetTest", false, false, false}, // IsSendResult is off
            {"ACloseTest", false, true, false},
            {"AExit", true, true, true},
            {"ATestInfo", false, true, true},
            {"ATestInstruction", false, true, true}, // the demo has one
            {"ABeginTest", false, true, false},
            {"AEndTest", false, false, true},
            {"AZoomIn", true, true, true},
            {"AZoomNormal", true, true, true},
            {"AZoomOut", true, true, true},
            {"AUseWindowSettings", true, true, false},
            {"ASettings", true, true, false},
            {"ASaveConfigOnExit", true, true, false},
            {"ASaveConfigNow", true, true, false},
            {"ALoadConfigNow", true, true, false},
            {"AShowAreaOfFocus", false, false, true},
            {"AHelp", true, true, true},
            {"ALicense", true, true, true},
            {"ADonate", true, true, true},
            {"AAbout", true, true, true},
            {"ACalculator", true, true, true},
        };
        const char* states[] = {"NoTest", "TestLoaded", "TestRunning"};
        for (const auto& rule : rules) {
            const bool enabled[] = {rule.NoTest, rule.Loaded, rule.Running};
            for (int s = 0; s < 3; ++s)
                QTest::addRow("%s in %s", rule.Action, states[s])
                    << s + 1 << QString(rule.Action) << enabled[s];
        }
    }
    void commandRules() {
        QFETCH(int, state);
        QFETCH(QString, action);
        QFETCH(bool, enabled);
        if (state >= 2)
            OpenDemo();
        if (state == 3)
            BeginRun();
        Idle();
        QCOMPARE(int(State()), state);
        QCOMPARE(Action(action.toLatin1().constData())->isEnabled(), enabled);
    }

    void panelsAndTitleByState() {
        OpenDemo();
        QCOMPARE(m_window->windowTitle(), QString("demo.tvf - Tevrix Student"));
        QCOMPARE(Panel(0), QString("Тест выбран"));
        // The demo shows right answers, allows skipping, and does not penalise.
        QCOMPARE(Panel(6), QString("О"));
        QCOMPARE(Panel(7), QString());
        QCOMPARE(Panel(8), QString("C"));
        BeginRun();
        QCOMPARE(Panel(0), QString("Тест идет"));
        QVERIFY(Panel(1).startsWith("1/"));
        QCOMPARE(Panel(11), QString("Иванов Иван 10 А"));
        QVERIFY(!Action("ACloseTest")->isEnabled());
        QVERIFY(!Action("ASettings")->isEnabled());
    }

    void openThroughTheMenu() {
        QStringList filters;
        ModalScript script;
        script.Then("OpenTestDialog", [&](QWidget& window) {
            auto& dialog = static_cast<QFileDialog&>(window);
            filters = dialog.nameFilters();
            // The pupil types the file's path and presses Enter.
            auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name != nullptr);
            name->setText(kDemoTest);
            QTest::keyClick(name, Qt::Key_Return);
        });
        Action("AOpenTest")->trigger();
        Idle();
        QCOMPARE(filters, QStringList{"Тесты Tevrix (*.tvf)"});
        QCOMPARE(State(), ProgramState::TestLoaded);
        // The opened test's summary is in the question area.
        auto* question = m_window->TaskArea().findChild<RichTextArea*>("QuestionText");
        QVERIFY(question != nullptr);
        QVERIFY(question->toPlainText().startsWith("Открыт тест: \"Демонстрационный тест\""));
        QVERIFY(question->toPlainText().contains("\"отлично\" не менее 85% макс. баллов;"));
    }

    void commandLineOpensTheFirstArgument() {
        SetUpWindow(kDemoTest);
        QTRY_COMPARE(State(), ProgramState::TestLoaded);
    }

    // Files dropped on the window: only a test file, only with no test open.
    void drop_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("testOpenBefore");
        QTest::addColumn<int>("stateAfter");
        QTest::newRow(".tvf on an empty window")
            << "a.tvf" << false << int(ProgramState::TestLoaded);
        QTest::newRow(".TvF in any case") << "b.TvF" << false << int(ProgramState::TestLoaded);
        QTest::newRow("another extension") << "c.txt" << false << int(ProgramState::NoTest);
        QTest::newRow("while a test is open") << "d.tvf" << true << int(ProgramState::TestLoaded);
    }
    void drop() {
        QFETCH(QString, name);
        QFETCH(bool, testOpenBefore);
        QFETCH(int, stateAfter);
        const QString path = m_dir->filePath(name);
        QVERIFY(QFile::copy(kDemoTest, path));
        if (testOpenBefore)
            OpenDemo();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        // As a drag from the desktop arrives: it enters, then drops.
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &enter);
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &drop);
        Idle();
        QCOMPARE(int(State()), stateAfter);
        const std::string opened =
            m_window->Engine().Test() ? m_window->Engine().Test()->FileName : std::string();
        QCOMPARE(QString::fromStdString(opened) == path, !testOpenBefore && stateAfter == 2);
    }

    void missingFileDoesNothing() {
        QVERIFY(!m_window->OpenTestFile(m_dir->filePath("none.tvf")));
        QCOMPARE(State(), ProgramState::NoTest);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void recentFilesOpenAgain() {
        OpenDemo();
        Action("ACloseTest")->trigger();
        Idle();
        QCOMPARE(State(), ProgramState::NoTest);
        auto* recent = m_window->findChild<QMenu*>("miListPreviousFiles");
        QVERIFY(recent->isEnabled());
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions().first()->text(), QFileInfo(kDemoTest).filePath());
        recent->actions().first()->trigger();
        Idle();
        QCOMPARE(State(), ProgramState::TestLoaded);
    }

    void identificationRefusedLeavesTheTestLoaded() {
        OpenDemo();
        QString balloon;
        ModalScript script;
        script.Then("InputUserNameForm", [&](QWidget& window) {
            ModalScript::Type(window, "UserName", "иванов Иван");
            ModalScript::Type(window, "UserGroup", "10 А");
            QTest::mouseClick(window.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
            balloon = m_window->UserNameForm().findChild<QWidget*>("BalloonHint")->isVisible()
                          ? QString("shown")
                          : QString();
            static_cast<QDialog&>(window).reject();
        });
        QTest::keyClick(m_window.get(), Qt::Key_F5);
        Idle();
        QCOMPARE(balloon, QString("shown"));
        QCOMPARE(State(), ProgramState::TestLoaded);
    }

    void zoomSteps() {
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(m_window.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(m_window->Zoom(), 50);
        QTest::keyClick(m_window.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(m_window->Zoom(), 50);
        Idle();
        QVERIFY(Action("AZoomOut")->isChecked());
        Action("AZoomNormal")->trigger();
        for (int i = 0; i < 10; ++i)
            Action("AZoomIn")->trigger();
        QCOMPARE(m_window->Zoom(), 200);
        auto* question = m_window->TaskArea().findChild<RichTextArea*>("QuestionText");
        QCOMPARE(question->Zoom(), 200);
        Idle();
        QVERIFY(Action("AZoomIn")->isChecked());
        QVERIFY(!Action("AZoomNormal")->isChecked());
    }

    void stopDuringARun_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("stateAfter");
        QTest::newRow("No keeps the run") << "NoButton" << int(ProgramState::TestRunning);
        QTest::newRow("Yes ends it") << "YesButton" << int(ProgramState::TestLoaded);
    }
    void stopDuringARun() {
        QFETCH(QString, reply);
        QFETCH(int, stateAfter);
        OpenDemo();
        BeginRun();
        QString caption;
        ModalScript script;
        script.Then("MessageBox", [&](QWidget& window) {
            caption = window.windowTitle();
            QTest::mouseClick(window.findChild<QPushButton*>(reply), Qt::LeftButton);
        });
        // The outputs of an ended run may show their own boxes.
        script.Always("MessageBox", &WindowFixture::DeclineOrConfirm);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        Action("AEndTest")->trigger();
        Idle();
        QCOMPARE(caption, QString("Внимание! Идет тест..."));
        QCOMPARE(int(State()), stateAfter);
        if (stateAfter == int(ProgramState::TestLoaded)) {
            auto* question = m_window->TaskArea().findChild<RichTextArea*>("QuestionText");
            QVERIFY(!question->toPlainText().isEmpty());
            // The result block names the pupil.
            QVERIFY(ResultLog().contains("Иванов Иван"));
        }
    }

    void closeDuringARun_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("closed");
        QTest::newRow("No keeps the window") << "NoButton" << false;
        QTest::newRow("Yes ends the run and closes") << "YesButton" << true;
    }
    void closeDuringARun() {
        QFETCH(QString, reply);
        QFETCH(bool, closed);
        OpenDemo();
        BeginRun();
        QString question;
        ModalScript script;
        script.Then("MessageBox", [&](QWidget& window) {
            question = static_cast<QMessageBox&>(window).text();
            QTest::mouseClick(window.findChild<QPushButton*>(reply), Qt::LeftButton);
        });
        script.Always("MessageBox", &WindowFixture::DeclineOrConfirm);
        script.Always("ShowResultForm", &WindowFixture::CloseResultWindow);
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        QCOMPARE(m_window->close(), closed);
        QCOMPARE(question, QString("Вы желаете выйти из программы во время теста?"));
        QCOMPARE(m_window->isVisible(), !closed);
        if (!closed) {
            QCOMPARE(State(), ProgramState::TestRunning);
            return;
        }
        // The interrupted run's block, then the close line, end the log.
        const QString text = ResultLog();
        const qsizetype pupil = text.lastIndexOf("Иванов Иван");
        const qsizetype closeLine = text.lastIndexOf(" Закрыта программа TevrixStudent.");
        QVERIFY(pupil > 0);
        QVERIFY(closeLine > pupil);
        QVERIFY(text.trimmed().endsWith(" Закрыта программа TevrixStudent."));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
