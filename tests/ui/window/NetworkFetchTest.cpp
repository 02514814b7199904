// SPDX-License-Identifier: GPL-3.0-or-later
// "Получить по сети": the window fetches a test from a teacher's server that
// plays a script, and stays responsive while the server keeps it waiting.

#include "config/SettingsFile.h"
#include "platform/SystemInfo.h"
#include "support/ScriptedTcpServer.h"
#include "ui/window/ModalScript.h"
#include "ui/window/WindowFixture.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QtTest>

#include <memory>

using namespace tevrix;
using tevrix::testing::kDemoTest;
using tevrix::testing::ModalScript;
using tevrix::testing::ReadLines;
using tevrix::testing::ScriptedTcpServer;
using tevrix::testing::Send;
using tevrix::testing::ServerScript;
using tevrix::testing::WindowFixture;

namespace {

std::string DemoBytes() {
    QFile file(kDemoTest);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no demo test");
    return file.readAll().toStdString();
}

// The reply to GETTEST that sends the demo test under `name`.
std::string TestReply(const std::string& name) {
    const std::string bytes = DemoBytes();
    return "YES\r\n" + name + "\r\n" + std::to_string(bytes.size()) + "\r\n" + bytes;
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

class NetworkFetchTest : public WindowFixture {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedTcpServer> m_server;

    // The station's settings before the window starts: reports on, pointed
    // at the scripted server.
    void StartWindow(bool sendResult, bool fetchAtStart) {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
        Settings settings;
        settings.IsSendResult = sendResult;
        settings.IsAutoGetTestFromStart = fetchAtStart;
        settings.RemoteHost = m_server->Address().Host;
        settings.RemotePort = m_server->Address().Port;
        QVERIFY(!SaveSettings(settings, (StationDir() + kConfigFileName).toStdString()).Failed());
        SetUpWindow();
    }
    std::string Computer() const { return ComputerName(); }
    QString OpenTestName() const {
        const TTest* test = m_window->Engine().Test();
        return test != nullptr ? QString::fromStdString(test->FileName) : QString();
    }

private slots:
    void init() { m_server = std::make_unique<ScriptedTcpServer>(); }
    void cleanup() {
        TearDownWindow();
        m_server.reset();
    }

    void thePupilChoosesAmongTheOfferedTests() {
        StartWindow(true, false);
        m_server->Expect({ReadLines(2),
                          Send(Lines({"YES", "2", "C:\\Tests\\first.tvf", "D:\\Tests\\demo.tvf"})),
                          ReadLines(3), Send(TestReply("D:\\Tests\\demo.tvf")), ReadLines(1)});
        QStringList items;
        ModalScript script;
        script.Then("SelectTestForm", [&](QWidget& form) {
            auto* list = form.findChild<QListWidget*>("ListTest");
            QVERIFY(list != nullptr);
            for (int row = 0; row < list->count(); ++row)
                items << list->item(row)->text();
            QCOMPARE(list->currentRow(), 0);
            // The progress window stays out of the way while the pupil chooses.
            QTest::qWait(700);
            auto* progress = m_window->findChild<QWidget*>("FetchProgress");
            QVERIFY(progress != nullptr);
            QVERIFY(!progress->isVisible());
            list->setCurrentRow(1);
            QTest::mouseClick(form.findChild<QPushButton*>("bbOK"), Qt::LeftButton);
        });
        Idle();
        QVERIFY(Action("AGetTest")->isEnabled());
        Action("AGetTest")->trigger();
        Idle();
        QCOMPARE(items, QStringList({"1) first.tvf", "2) demo.tvf"}));
        QCOMPARE(State(), ProgramState::TestLoaded);
        QCOMPARE(OpenTestName(), QString("D:\\Tests\\demo.tvf"));
        QCOMPARE(m_server->Received(0), Lines({"GETLIST", Computer(), "GETTEST", Computer(),
                                               "D:\\Tests\\demo.tvf", "QUIT"}));
    }

    // What the pupil sees at the end of an exchange that brings no test.
    void exchangesThatBringNoTest_data() {
        QTest::addColumn<QString>("serverReply");
        QTest::addColumn<bool>("cancelChoice");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("sent");
        const QString quitOnly = "GETLIST|QUIT";
        QTest::newRow("list refused") << "NO\r\n"
                                      << false << "Отказано в получении теста..." << quitOnly;
        QTest::newRow("choice cancelled") << "YES\r\n2\r\na.tvf\r\nb.tvf\r\n"
                                          << true << QString() << quitOnly;
        QTest::newRow("test refused") << "YES\r\n1\r\na.tvf\r\n|NO\r\n"
                                      << false << "Отказано в получении теста..."
                                      << "GETLIST|GETTEST|a.tvf|QUIT";
        QTest::newRow("broken size line") << "YES\r\n1\r\na.tvf\r\n|YES\r\na.tvf\r\nbig\r\n"
                                          << false << "Ошибка связи с сервером!"
                                          << "GETLIST|GETTEST|a.tvf";
    }
    void exchangesThatBringNoTest() {
        QFETCH(QString, serverReply);
        QFETCH(bool, cancelChoice);
        QFETCH(QString, message);
        QFETCH(QString, sent);
        StartWindow(true, false);
        // The list reply, then (after "|") the test reply.
        const QStringList replies = serverReply.split('|');
        ServerScript conversation{ReadLines(2), Send(replies[0].toStdString())};
        if (replies.size() > 1) {
            conversation.push_back(ReadLines(3));
            conversation.push_back(Send(replies[1].toStdString()));
        }
        m_server->Expect(conversation);
        QString shown;
        ModalScript script;
        if (cancelChoice)
            script.Click("SelectTestForm", "bbCancel");
        script.Always("MessageBox", [&](QWidget& box) {
            shown = static_cast<QMessageBox&>(box).text();
            DeclineOrConfirm(box);
        });
        Idle();
        Action("AGetTest")->trigger();
        Idle();
        QCOMPARE(State(), ProgramState::NoTest);
        QCOMPARE(shown, message);
        // Every line the station sent, with the computer name after each command.
        std::string expected;
        for (const QString& line : sent.split('|')) {
            expected += line.toStdString() + "\r\n";
            if (line == "GETLIST" || line == "GETTEST")
                expected += Computer() + "\r\n";
        }
        QCOMPARE(m_server->Received(0), expected);
    }

    void aSilentServerCanBeLeftWithCancel() {
        StartWindow(true, false);
        m_server->Expect({ReadLines(2)}); // never answers
        bool progressShown = false;
        QString shown;
        QElapsedTimer clock;
        ModalScript script;
        script.Then("FetchProgress", [&](QWidget& progress) {
            progressShown = true;
            auto* cancel = progress.findChild<QPushButton*>("CancelButton");
            QVERIFY(cancel != nullptr);
            QCOMPARE(cancel->text(), QString("Отмена"));
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        script.Always("MessageBox", [&](QWidget& box) {
            shown = static_cast<QMessageBox&>(box).text();
            DeclineOrConfirm(box);
        });
        Idle();
        clock.start();
        Action("AGetTest")->trigger();
        QVERIFY(clock.elapsed() < 5000); // far below the station's 30-second wait
        QVERIFY(progressShown);
        QCOMPARE(shown, QString()); // the pupil's own cancel needs no message
        Idle();
        QCOMPARE(State(), ProgramState::NoTest);
        QVERIFY(Action("AOpenTest")->isEnabled());
    }

    void closingTheWindowBreaksOffTheFetch() {
        StartWindow(true, false);
        m_server->Expect({ReadLines(2)}); // never answers
        QTimer::singleShot(300, m_window.get(), [this] {
            QVERIFY(m_window->Controller().Loading());
            Idle(); // nothing else can be opened meanwhile
            QVERIFY(!Action("AOpenTest")->isEnabled());
            QVERIFY(!Action("AGetTest")->isEnabled());
            QVERIFY(!Action("ATestInfo")->isEnabled());
            m_window->close();
        });
        QElapsedTimer clock;
        clock.start();
        Action("AGetTest")->trigger();
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(!m_window->isVisible());
    }

    // At start-up the test is fetched only when both settings ask for it.
    void fetchAtStartUp_data() {
        QTest::addColumn<bool>("sendResult");
        QTest::addColumn<bool>("fetchAtStart");
        QTest::addColumn<bool>("fetched");
        QTest::newRow("both on") << true << true << true;
        QTest::newRow("reports off") << false << true << false;
        QTest::newRow("start-up fetch off") << true << false << false;
    }
    void fetchAtStartUp() {
        QFETCH(bool, sendResult);
        QFETCH(bool, fetchAtStart);
        QFETCH(bool, fetched);
        m_server->Expect({ReadLines(2), Send(Lines({"YES", "1", "demo.tvf"})), ReadLines(3),
                          Send(TestReply("demo.tvf")), ReadLines(1)});
        StartWindow(sendResult, fetchAtStart);
        QTest::qWait(300);
        Idle();
        QCOMPARE(State(), fetched ? ProgramState::TestLoaded : ProgramState::NoTest);
        QTRY_COMPARE(m_server->ConnectionCount(), size_t(fetched ? 1 : 0));
        QCOMPARE(Action("AGetTest")->isEnabled(), sendResult && !fetched);
    }
};

QTEST_MAIN(NetworkFetchTest)
#include "NetworkFetchTest.moc"
