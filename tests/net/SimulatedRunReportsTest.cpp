// SPDX-License-Identifier: GPL-3.0-or-later
// Whole runs through the session engine whose reports go over TCP to the
// scripted server, in process and through `tvf simulate`.
#include "NetTestSupport.h"
#include "config/SettingsFile.h"
#include "net/NetError.h"
#include "net/RunReportBlocks.h"
#include "net/ServerRunReporter.h"
#include "support/ScriptedTcpServer.h"
#include "support/SessionTest.h"
#include "support/ToolRunner.h"

#include <fstream>

namespace tevrix {
namespace {

using namespace tevrix::testing;

// Connects over TCP, counting the attempts; the attempts listed in
// `refused` (counted from 0) fail as a server that is down would.
class CountingConnector final : public Connector {
public:
    explicit CountingConnector(std::vector<int> refused = {}) : m_refused(std::move(refused)) {}
    std::unique_ptr<Connection> Connect(const ServerAddress& address) override {
        const int attempt = m_attempts++;
        if (std::find(m_refused.begin(), m_refused.end(), attempt) != m_refused.end())
            throw NetError("refused");
        return m_tcp.Connect(address);
    }
    int Attempts() const { return m_attempts; }

private:
    TcpConnector m_tcp{TestTimeouts()};
    std::vector<int> m_refused;
    int m_attempts = 0;
};

// INFOPROCESS as the station frames it, for a run after a check.
std::string Progress(const std::string& runId, int done, int right, int wrong, double score,
                     int asked) {
    TResultTest counts;
    counts.DoneCount = done;
    counts.RightCount = right;
    counts.WrongCount = wrong;
    counts.Score = score;
    counts.AskedMaxScore = asked;
    return "INFOPROCESS\r\n" + Framed(InfoProcessBlock(runId, true, counts)) + "QUIT\r\n";
}

class SimulatedRunReportsTest : public ::testing::Test {
protected:
    SimulatedRunReportsTest() {
        m_settings.DirForResult = m_folder.Path();
        m_settings.IsSendResult = true;
        m_settings.RemoteHost = "127.0.0.1";
        m_settings.RemotePort = m_server.Address().Port;
        m_script.Start = StartTime();
        m_script.Name = "Иванов Иван";
        m_script.Group = "10 А";
        m_script.Steps = {AnswerChoice(0), AnswerChoice(1), AnswerChoice(0)};
    }

    // Runs the script on a test of three one-choice tasks.
    ScriptedSession& Run(bool reportToServer = true) {
        std::unique_ptr<TTest> test = NewTest(m_folder.Path());
        test->ResultKey = "ключ";
        test->ReportToServer = reportToServer;
        auto makeReporter = [this](SessionDialogs& dialogs) -> std::unique_ptr<RunReporter> {
            return std::make_unique<ServerRunReporter>(m_client, m_settings, dialogs);
        };
        m_session = std::make_unique<ScriptedSession>(
            m_script, SimulationStation{m_settings, m_folder.Path(), m_counter, SourceTexts(),
                                        "PC-1", "pupil", false, &m_random, makeReporter});
        m_session->Open(std::move(test), ChoiceTasks(3));
        m_session->RunToEnd();
        return *m_session;
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const TranscriptEvent& event : m_session->Log().OfKind("message"))
            texts.push_back(event.Text);
        return texts;
    }

    TempFolder m_folder;
    ScriptedTcpServer m_server;
    Settings m_settings;
    RunCounter m_counter{UserStore(m_folder.Path() + "Student.ini"),
                         RebootMarkers(m_folder.Path() + "markers", "boot-1")};
    ScriptedRandom m_random;
    RunScript m_script;
    CountingConnector m_connector;
    ServerClient m_client{m_connector, SourceTexts()};
    std::unique_ptr<ScriptedSession> m_session;
};

TEST_F(SimulatedRunReportsTest, ARunReportsItsStartEachCheckAndItsResult) {
    ScriptedSession& session = Run();
    const std::string runId = session.Engine().RunId();
    ASSERT_EQ(runId.size(), 38u);
    EXPECT_TRUE(Messages().empty());

    const std::string begin = m_server.Received(0);
    ASSERT_EQ(begin.substr(0, 11), "INFOBEGIN\r\n");
    EXPECT_EQ(begin.substr(begin.size() - 14), std::string("\3\0\0\0\3\0\0\0", 8) + "QUIT\r\n");
    EXPECT_NE(begin.find(runId), std::string::npos);

    EXPECT_EQ(m_server.Received(1), Progress(runId, 1, 1, 0, 1, 1));
    EXPECT_EQ(m_server.Received(2), Progress(runId, 2, 1, 1, 1, 2));
    EXPECT_EQ(m_server.Received(3), Progress(runId, 3, 2, 1, 2, 3));

    const TResultTest* result = session.Engine().LastResult();
    ASSERT_TRUE(result);
    EXPECT_EQ(m_server.Received(4), "RESULT\r\n" + runId + "\r\n\xEA\xEB\xFE\xF7\r\n" +
                                        Framed(ResultRecordBlock(*result)) + "QUIT\r\n");
    EXPECT_EQ(m_connector.Attempts(), 5);
}

TEST_F(SimulatedRunReportsTest, AServerThatIsDownIsReportedAtMostTwice) {
    m_settings.RemotePort = UnusedPort();
    Run();
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgNoConnection, kMsgNoConnection}));
    EXPECT_EQ(m_connector.Attempts(), 2); // INFOBEGIN and RESULT; no progress tried
    EXPECT_EQ(m_session->Engine().LastResult()->DoneCount, 3);
}

TEST_F(SimulatedRunReportsTest, AFailedProgressReportStopsTheProgressButNotTheResult) {
    m_connector = CountingConnector({2}); // the second progress report
    ScriptedSession& session = Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgNoConnection});
    EXPECT_EQ(m_connector.Attempts(), 4);
    EXPECT_EQ(m_server.Received(0).substr(0, 11), "INFOBEGIN\r\n");
    EXPECT_EQ(m_server.Received(1), Progress(session.Engine().RunId(), 1, 1, 0, 1, 1));
    EXPECT_EQ(m_server.Received(2).substr(0, 8), "RESULT\r\n");
    EXPECT_EQ(session.Engine().LastResult()->RightCount, 2);
}

TEST_F(SimulatedRunReportsTest, NothingIsSentWithoutBothPermissions) {
    m_settings.IsSendResult = false;
    Run();
    EXPECT_EQ(m_connector.Attempts(), 0);
    m_settings.IsSendResult = true;
    Run(false);
    EXPECT_EQ(m_connector.Attempts(), 0);
    EXPECT_EQ(m_server.ConnectionCount(), 0u);
}

// ---- tvf simulate ----------------------------------------------------------

class SimulateToolReportsTest : public ::testing::Test {
protected:
    SimulateToolReportsTest() {
        TTest test(m_folder.Path());
        test.Title = "Сеть";
        test.ResultKey = "k";
        const std::vector<uint8_t> file = WriteTestFileBytes(test, ChoiceTasks(2), {});
        Write(TestPath(), std::string(file.begin(), file.end()));
        Write(m_folder.Path() + "run.json",
              R"({"start": "15.01.2025 09:00:00", "name": "Иванов Иван",
            "group": "10 А", "steps": [{"action": "answer", "value": 1},
                                       {"action": "answer", "value": 2}]})");
    }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string TestPath() const { return m_folder.Path() + "net.tvf"; }

    ShellRun Simulate(int port, bool sendResult) {
        Write(m_folder.Path() + kConfigFileName,
              "[Net]\r\nRemoteHost=127.0.0.1\r\nRemotePort=" + std::to_string(port) +
                  "\r\nIsSendResult=" + (sendResult ? "1" : "0") + "\r\n");
        return Shell(Tool() + " simulate '" + TestPath() + "' --script '" + m_folder.Path() +
                     "run.json' --station '" + m_folder.Path() + "'");
    }

    static size_t Count(const std::string& text, const std::string& part) {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }

    TempFolder m_folder;
    ScriptedTcpServer m_server;
};

TEST_F(SimulateToolReportsTest, SendsTheRunsReportsToTheConfiguredServer) {
    const ShellRun run = Simulate(m_server.Address().Port, true);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(Count(run.Out, kMsgNoConnection), 0u);
    EXPECT_EQ(m_server.Received(0).substr(0, 11), "INFOBEGIN\r\n");
    EXPECT_EQ(m_server.Received(1).substr(0, 17), "INFOPROCESS\r\n71\r\n");
    EXPECT_EQ(m_server.Received(2).substr(0, 17), "INFOPROCESS\r\n71\r\n");
    const std::string result = m_server.Received(3);
    EXPECT_EQ(result.substr(0, 8), "RESULT\r\n");
    EXPECT_EQ(result.substr(8 + 40, 3), "k\r\n");
    EXPECT_EQ(result.substr(result.size() - 6), "QUIT\r\n");
    EXPECT_EQ(m_server.ConnectionCount(), 4u);
}

TEST_F(SimulateToolReportsTest, ADownServerShowsTheMessageTwice) {
    const ShellRun run = Simulate(UnusedPort(), true);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(Count(run.Out, kMsgNoConnection), 2u);
}

TEST_F(SimulateToolReportsTest, WithoutIsSendResultNothingIsSent) {
    const ShellRun run = Simulate(m_server.Address().Port, false);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(Count(run.Out, "result: end reason 1"), 1u);
    EXPECT_EQ(Count(run.Out, kMsgNoConnection), 0u);
    EXPECT_EQ(m_server.ConnectionCount(), 0u);
}

} // namespace
} // namespace tevrix
