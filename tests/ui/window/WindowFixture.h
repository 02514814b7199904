// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The station's main window on a station folder and user store of its own,
// with the steps the window tests share.

#include "model/TestFileWriter.h"
#include "model/TestLoader.h"
#include "session/SessionEngine.h"
#include "text/Cp1251.h"
#include "ui/StudentMainForm.h"
#include "ui/window/ModalScript.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace tevrix::testing {

inline const QString kDemoTest = QStringLiteral(TEVRIX_EXAMPLES "/demo.tvf");

class WindowFixture : public QObject {
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TStudentMainForm> m_window;
    int m_variants = 0;

    void SetUpWindow(const QString& startupFile = QString()) {
        if (!m_dir) {
            m_dir = std::make_unique<QTemporaryDir>();
            QVERIFY(m_dir->isValid());
            qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
        }
        m_window.reset();
        m_window = std::make_unique<TStudentMainForm>(
            StationPlaces{StationDir().toStdString(), StationDir().toStdString(),
                          m_dir->filePath("config/TevrixX/Student.ini").toStdString()});
        m_window->SetStartupFile(startupFile);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void TearDownWindow() {
        m_window.reset();
        m_dir.reset();
    }

    QString StationDir() const { return m_dir->path() + '/'; }
    QAction* Action(const char* name) const {
        auto* action = m_window->findChild<QAction*>(name);
        if (action == nullptr)
            qFatal("no action %s", name);
        return action;
    }
    ProgramState State() const { return m_window->Engine().State(); }

    // The result log, decoded from its Windows-1251.
    QString ResultLog() const {
        QFile file(StationDir() + "TevrixStudent_Result.txt");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromStdString(Cp1251ToUtf8(file.readAll().toStdString()));
    }

    // Applies the rules as the idle application does.
    void Idle() {
        QCoreApplication::processEvents();
        m_window->ApplyCommandRules();
    }

    void OpenDemo() {
        QVERIFY(m_window->OpenTestFile(kDemoTest));
        Idle();
        QCOMPARE(State(), ProgramState::TestLoaded);
    }

    // A test file in the station's folder: the demo test as `change` leaves it
    // (with `files` as its embedded files).
    QString WriteDemoVariant(const std::function<void(TTest&, TTaskList&)>& change,
                             const std::vector<EmbeddedFile>& files = {}) {
        LoadTestOutcome demo = LoadTest(kDemoTest.toStdString(), std::nullopt,
                                        [] { return std::optional<std::string>(); });
        if (demo.Status != LoadTestStatus::Loaded)
            qFatal("the demo test did not load");
        change(*demo.Test, demo.Tasks);
        const std::vector<uint8_t> bytes = WriteTestFileBytes(*demo.Test, demo.Tasks, files);
        const QString path = StationDir() + QString("variant%1.tvf").arg(++m_variants);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write a test file");
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return path;
    }

    // "Начать тест" with a name that passes; the instruction and any other
    // viewer are closed with OK.
    void BeginRun() {
        ModalScript script;
        script.Then("InputUserNameForm", [](QWidget& window) {
            ModalScript::Type(window, "UserName", "Иванов Иван");
            ModalScript::Type(window, "UserGroup", "10 А");
            QTest::mouseClick(window.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        });
        script.Always("TextViewForm", &WindowFixture::CloseViewer);
        Idle(); // the command is enabled by the rules of the idle window
        Action("ABeginTest")->trigger();
        Idle();
        QCOMPARE(State(), ProgramState::TestRunning);
    }

    static void CloseResultWindow(QWidget& window) {
        QTest::mouseClick(window.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    }
    static void CloseViewer(QWidget& viewer) {
        QTest::mouseClick(viewer.findChild<QPushButton*>("bbOK"), Qt::LeftButton);
    }
    // Answers the boxes that follow: No to a question, OK to a notice.
    static void DeclineOrConfirm(QWidget& box) {
        auto* button = box.findChild<QPushButton*>("NoButton");
        if (button == nullptr)
            button = box.findChild<QPushButton*>("OKButton");
        QVERIFY(button != nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace tevrix::testing
