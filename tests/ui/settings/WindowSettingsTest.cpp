// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's placement and question panel height across restarts,
// and the settings dialog reached from the window.

#include "config/UserStore.h"
#include "ui/settings/WindowProperties.h"
#include "ui/window/WindowFixture.h"

#include <QMessageBox>
#include <QScreen>
#include <QSplitter>

using namespace tevrix;
using namespace tevrix::testing;

Q_DECLARE_METATYPE(std::vector<QRect>)

class WindowSettingsTest : public WindowFixture {
    Q_OBJECT

    UserStore Store() const {
        return UserStore((m_dir->path() + "/config/TevrixX/Student.ini").toStdString());
    }
    QWidget* QuestionPanel() const { return m_window->findChild<QWidget*>("PanelQuestion"); }
    QSplitter* Splitter() const {
        return qobject_cast<QSplitter*>(QuestionPanel()->parentWidget());
    }
    QRect Screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // Window settings on, kept by saving the configuration at the close.
    void UseWindowSettings(bool on) {
        m_window->Controller().StationSettings().IsUseWindowSettings = on;
        m_window->Controller().StationSettings().IsSaveConfig = true;
    }
    // The window closes and starts again, as the program does.
    void Restart() { SetUpWindow(); }

private slots:
    void cleanup() { TearDownWindow(); }

    void placementAndPanelHeightSurviveARestart() {
        SetUpWindow();
        UseWindowSettings(true);
        const QRect placed(Screen().left() + 30, Screen().top() + 40, 760, 600);
        m_window->setGeometry(placed);
        QTRY_COMPARE(m_window->geometry(), placed);
        QList<int> sizes = Splitter()->sizes();
        const int total = sizes[0] + sizes[1];
        Splitter()->setSizes({230, total - 230});
        QCOMPARE(Splitter()->sizes()[0], 230);

        Restart();
        QCOMPARE(m_window->geometry(), placed);
        QCOMPARE(Splitter()->sizes()[0], 230);
        const UserStore store = Store();
        QCOMPARE(store.ReadString("StudentMainForm", "Left"),
                 std::optional<std::string>(std::to_string(placed.left())));
        QCOMPARE(store.ReadString("StudentMainForm", "Width"), std::optional<std::string>("760"));
        QCOMPARE(store.ReadString("StudentMainForm", "Position"),
                 std::optional<std::string>("poScreenCenter"));
        QCOMPARE(store.ReadString("StudentMainForm", "WindowState"),
                 std::optional<std::string>("wsNormal"));
        QCOMPARE(store.ReadString("StudentMainForm", "PanelQuestion.Height"),
                 std::optional<std::string>("230"));
    }

    void withoutWindowSettingsTheWindowIsCentredAndNothingStored() {
        SetUpWindow();
        UseWindowSettings(false);
        m_window->setGeometry(Screen().left() + 5, Screen().top() + 5, 500, 400);
        Restart();
        QVERIFY(Store().Values("StudentMainForm").empty());
        // The start size, as far as the window's minimum allows.
        const QSize start = TStudentMainForm::StartSize(Screen().size());
        QCOMPARE(m_window->size(), start.expandedTo(m_window->minimumSizeHint()));
        // Centred at the size it has.
        const QSize size = m_window->size();
        QCOMPARE(m_window->pos(), Screen().center() - QPoint(size.width() / 2, size.height() / 2));
    }

    void aMaximisedWindowComesBackMaximisedOverItsNormalPlacement() {
        SetUpWindow();
        UseWindowSettings(true);
        const QRect normal(Screen().left() + 10, Screen().top() + 20, 740, 500);
        m_window->setGeometry(normal);
        QTRY_COMPARE(m_window->geometry(), normal);
        m_window->showMaximized();
        QTRY_VERIFY(m_window->isMaximized());
        Restart();
        QVERIFY(m_window->isMaximized());
        QCOMPARE(Store().ReadString("StudentMainForm", "Top"),
                 std::optional<std::string>(std::to_string(normal.top())));
        m_window->showNormal();
        QTRY_COMPARE(m_window->geometry(), normal);
    }

    // Stored values the window cannot take are skipped, the rest applied.
    void storedPlacementOffEveryScreenComesBack() {
        SetUpWindow();
        UseWindowSettings(true);
        m_window.reset(); // saves the configuration with window settings on
        UserStore store = Store();
        QVERIFY(store.ReplaceSubkey("StudentMainForm", {{"Left", "9000"},
                                                        {"Top", "-7000"},
                                                        {"Width", "abc"},
                                                        {"Height", "480"},
                                                        {"NoSuchPanel.Height", "50"},
                                                        {"WindowState", "wsMinimized"}}));
        Restart();
        QVERIFY(Screen().contains(m_window->geometry()));
        QCOMPARE(m_window->height(), 480);
        QCOMPARE(m_window->width(), TStudentMainForm::StartSize(Screen().size())
                                        .expandedTo(m_window->minimumSizeHint())
                                        .width());
        QVERIFY(!m_window->isMinimized());
    }

    // The window's placement and the screens' areas, and where it ends.
    void onScreen_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<std::vector<QRect>>("screens");
        QTest::addColumn<QRect>("placed");
        const QRect left(0, 0, 1280, 1024);
        const QRect right(1280, 0, 1920, 1080);
        QTest::newRow("inside") << QRect(100, 100, 800, 700) << std::vector{left}
                                << QRect(100, 100, 800, 700);
        QTest::newRow("partly out, title reachable")
            << QRect(1000, 500, 800, 700) << std::vector{left} << QRect(1000, 500, 800, 700);
        QTest::newRow("on the second screen")
            << QRect(1500, 50, 800, 700) << std::vector{left, right} << QRect(1500, 50, 800, 700);
        QTest::newRow("second screen gone")
            << QRect(1500, 50, 800, 700) << std::vector{left} << QRect(240, 162, 800, 700);
        QTest::newRow("title above the screen")
            << QRect(100, -200, 800, 700) << std::vector{left} << QRect(240, 162, 800, 700);
        QTest::newRow("too large for the screen")
            << QRect(-5000, 0, 2000, 1500) << std::vector{left} << QRect(0, 0, 1280, 1024);
        QTest::newRow("mostly on the second screen")
            << QRect(1200, -300, 800, 700) << std::vector{left, right}
            << QRect(1840, 190, 800, 700);
    }
    void onScreen() {
        QFETCH(QRect, window);
        QFETCH(std::vector<QRect>, screens);
        QFETCH(QRect, placed);
        QCOMPARE(WindowProperties::OnScreen(window, screens), placed);
    }

    void settingsCommandOpensTheDialog() {
        SetUpWindow();
        ModalScript script;
        bool shown = false;
        script.Then("StudentAdditionConfigForm", [&](QWidget& dialog) {
            shown = dialog.windowTitle() == "Параметры";
            dialog.close();
        });
        Idle();
        Action("ASettings")->trigger();
        QVERIFY(shown);
    }

    // Saving and loading now ask first and do only what the answer says.
    void saveNowAsksFirst_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("written");
        QTest::newRow("yes") << "YesButton" << true;
        QTest::newRow("no") << "NoButton" << false;
    }
    void saveNowAsksFirst() {
        QFETCH(QString, button);
        QFETCH(bool, written);
        SetUpWindow();
        QString question;
        ModalScript script;
        script.Then("MessageBox", [&](QWidget& box) {
            question = static_cast<QMessageBox&>(box).text();
            QTest::mouseClick(box.findChild<QPushButton*>(button), Qt::LeftButton);
        });
        Action("ASaveConfigNow")->trigger();
        QCOMPARE(question, QString("Вы желаете сохранить настройки программы сейчас?"));
        QCOMPARE(QFile::exists(StationDir() + "TevrixStudent_Config.txt"), written);
    }
};

QTEST_MAIN(WindowSettingsTest)
#include "WindowSettingsTest.moc"
