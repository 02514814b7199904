// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryConnection.h"
#include "NetTestSupport.h"
#include "model/Crc32.h"
#include "net/NetError.h"
#include "net/RunReportBlocks.h"
#include "net/ServerClient.h"
#include "support/ResultRecords.h"
#include "support/ScriptedTcpServer.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using namespace testing;

constexpr const char* kRunId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";
constexpr const char* kComputer = "CLASS-PC7";

std::string AsString(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

class ServerClientTest : public ::testing::Test {
protected:
    ScriptedTcpServer server;
    TcpConnector connector{TestTimeouts()};
    ServerClient client{connector, SourceTexts()};
};

// ---- TEST ------------------------------------------------------------------

TEST_F(ServerClientTest, TestConnectionSucceedsOnExactlyOk) {
    const struct {
        std::string Reply;
        bool Succeeds;
    } cases[] = {{"OK\r\n", true},   {"OK\n", true},    {"ok\r\n", false},
                 {"OK \r\n", false}, {"NO\r\n", false}, {"\r\n", false}};
    size_t connection = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Reply);
        server.Expect({ReadLines(2), Send(c.Reply)});
        const Outcome outcome = client.TestConnection(server.Address(), kComputer);
        EXPECT_EQ(outcome.Failed(), !c.Succeeds);
        EXPECT_EQ(outcome.Message(), c.Succeeds ? std::optional(SucceededBox()) : std::nullopt);
        EXPECT_EQ(server.Received(connection++), "TEST\r\nCLASS-PC7\r\nQUIT\r\n");
    }
}

TEST_F(ServerClientTest, TestConnectionWithoutAServerSaysNoConnection) {
    const Outcome outcome = client.TestConnection({"127.0.0.1", UnusedPort()}, kComputer);
    EXPECT_TRUE(outcome.Failed());
    EXPECT_EQ(outcome.Message(), NoConnectionBox());
}

TEST_F(ServerClientTest, HostileTestRepliesEndTheExchangeWithoutQuit) {
    const struct {
        const char* Name;
        ServerScript Script;
    } cases[] = {
        {"never answers", {ReadLines(2)}},
        {"over-long reply", {ReadLines(2), Send(std::string(kMaxLineLength + 1, 'x') + "\r\n")}},
        {"reply without end", {ReadLines(2), Send(std::string(100'000, 'x'))}},
        {"closes before the reply", {ReadLines(2), CloseNow()}},
        {"closes inside the reply", {ReadLines(2), Send("O"), CloseNow()}},
    };
    size_t connection = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        server.Expect(c.Script);
        const Outcome outcome = client.TestConnection(server.Address(), kComputer);
        EXPECT_TRUE(outcome.Failed());
        EXPECT_EQ(outcome.Message(), NoConnectionBox());
        EXPECT_EQ(server.Received(connection++), "TEST\r\nCLASS-PC7\r\n");
    }
}

// ---- run reports -----------------------------------------------------------

TEST_F(ServerClientTest, RunBeginSendsInfoBeginItsBlockAndQuit) {
    const TResultTest record = SampleRecord();
    const Outcome outcome = client.ReportRunBegin(server.Address(), kRunId, record);
    EXPECT_FALSE(outcome.Failed());
    EXPECT_FALSE(outcome.Message());
    EXPECT_EQ(server.Received(0),
              "INFOBEGIN\r\n" + Framed(InfoBeginBlock(kRunId, record)) + "QUIT\r\n");
}

TEST_F(ServerClientTest, ProgressSendsInfoProcessWithA71ByteBlock) {
    TResultTest record = SampleRecord();
    record.AskedMaxScore = 3;
    const Outcome outcome = client.ReportProgress(server.Address(), kRunId, true, record);
    EXPECT_FALSE(outcome.Failed());
    const std::string received = server.Received(0);
    EXPECT_EQ(received, "INFOPROCESS\r\n71\r\n" + AsString(InfoProcessBlock(kRunId, true, record)) +
                            "QUIT\r\n");
}

TEST_F(ServerClientTest, ResultSendsRunIdKeyAndTheRecordStream) {
    const TResultTest record = SampleRecord();
    const Outcome outcome = client.ReportResult(server.Address(), kRunId, "ключ-7", record);
    EXPECT_FALSE(outcome.Failed());
    EXPECT_EQ(server.Received(0), std::string("RESULT\r\n") + kRunId +
                                      "\r\n\xEA\xEB\xFE\xF7-7\r\n" +
                                      Framed(ResultRecordBlock(record)) + "QUIT\r\n");
}

TEST_F(ServerClientTest, AResultKeyWithALineBreakKeepsTheFraming) {
    const TResultTest record = SampleRecord();
    client.ReportResult(server.Address(), kRunId, "a\r\nQUIT", record);
    EXPECT_EQ(server.Received(0), std::string("RESULT\r\n") + kRunId + "\r\na  QUIT\r\n" +
                                      Framed(ResultRecordBlock(record)) + "QUIT\r\n");
}

TEST_F(ServerClientTest, ReportsWithoutAServerSayNoConnection) {
    const ServerAddress nowhere{"127.0.0.1", UnusedPort()};
    const TResultTest record = SampleRecord();
    for (const Outcome& outcome : {client.ReportRunBegin(nowhere, kRunId, record),
                                   client.ReportProgress(nowhere, kRunId, true, record),
                                   client.ReportResult(nowhere, kRunId, "", record)}) {
        EXPECT_TRUE(outcome.Failed());
        EXPECT_EQ(outcome.Message(), NoConnectionBox());
    }
}

TEST_F(ServerClientTest, AServerThatClosesAtOnceFailsAReportOrTakesIt) {
    // The server may close before the report is written out: either the
    // kernel took the bytes (the report "went") or the send fails; the
    // exchange must end either way, and never hang.
    server.Expect({CloseNow()});
    const Outcome outcome = client.ReportResult(server.Address(), kRunId, "", SampleRecord());
    EXPECT_EQ(outcome.Message(),
              outcome.Failed() ? std::optional(NoConnectionBox()) : std::nullopt);
    EXPECT_EQ(server.Received(0), "");
}

TEST_F(ServerClientTest, AnUnsuitablePortFailsWithoutConnecting) {
    for (const int32_t port : {0, -1, 65536}) {
        SCOPED_TRACE(port);
        EXPECT_EQ(client.TestConnection({"127.0.0.1", port}, kComputer).Message(),
                  NoConnectionBox());
    }
    EXPECT_EQ(server.ConnectionCount(), 0u);
}

// ---- GETLIST / GETTEST -----------------------------------------------------

class GetTestTest : public ServerClientTest {
protected:
    // Lets the pupil choose `choice` and records the items offered.
    TestChooser Chooser(std::optional<size_t> choice) {
        return [this, choice](const std::vector<std::string>& items) {
            offered.push_back(items);
            return choice;
        };
    }
    static std::optional<std::string> NoPassword() { return std::nullopt; }

    std::vector<std::vector<std::string>> offered; // one entry per time the dialog was shown
};

TEST_F(GetTestTest, OneOfferedTestIsFetchedWithoutAskingAndLoaded) {
    const std::string file = SmallTestFile("Дроби");
    server.Expect(
        {ReadLines(2), Send("YES\r\n1\r\nC:\\Tests\\drobi.tvf\r\n"), ReadLines(3),
         Send("YES\r\nC:\\Tests\\drobi.tvf\r\n" + std::to_string(file.size()) + "\r\n" + file)});
    GetTestOutcome outcome =
        client.GetTest(server.Address(), kComputer, Chooser(0), &GetTestTest::NoPassword);
    EXPECT_FALSE(outcome.Result.Failed());
    EXPECT_FALSE(outcome.Result.Message());
    EXPECT_TRUE(offered.empty());
    ASSERT_TRUE(outcome.Load);
    ASSERT_EQ(outcome.Load->Status, LoadTestStatus::Loaded);
    EXPECT_EQ(outcome.Load->Test->Title, "Дроби");
    EXPECT_EQ(outcome.Load->Test->FileName, "C:\\Tests\\drobi.tvf");
    EXPECT_EQ(outcome.Load->Test->FileCrc,
              Crc32(reinterpret_cast<const uint8_t*>(file.data()), file.size()));
    EXPECT_EQ(outcome.Load->Tasks.size(), 2u);
    EXPECT_EQ(server.Received(0), "GETLIST\r\nCLASS-PC7\r\n"
                                  "GETTEST\r\nCLASS-PC7\r\nC:\\Tests\\drobi.tvf\r\n"
                                  "QUIT\r\n");
}

TEST_F(GetTestTest, ThePupilChoosesAmongSeveralAndTheFullLineGoesBack) {
    const std::string file = SmallTestFile("География");
    server.Expect({ReadLines(2),
                   Send("YES\r\n3\r\nC:\\Тесты\\bio.tvf\r\nD:geo.tvf\r\n\\\\srv\\t\\hist.tvf\r\n"),
                   ReadLines(3),
                   Send("YES\r\ngeo.tvf\r\n" + std::to_string(file.size()) + "\r\n" + file)});
    GetTestOutcome outcome =
        client.GetTest(server.Address(), kComputer, Chooser(1), &GetTestTest::NoPassword);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], (std::vector<std::string>{"1) bio.tvf", "2) geo.tvf", "3) hist.tvf"}));
    ASSERT_TRUE(outcome.Load);
    EXPECT_EQ(outcome.Load->Status, LoadTestStatus::Loaded);
    EXPECT_EQ(outcome.Load->Test->FileName, "geo.tvf");
    EXPECT_FALSE(outcome.Result.Message());
    EXPECT_EQ(server.Received(0),
              "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\nD:geo.tvf\r\nQUIT\r\n");
}

TEST_F(GetTestTest, TheOfferedLineGoesBackInItsOwnBytes) {
    server.Expect({ReadLines(2), Send("YES\r\n1\r\nC:\\\xD2\xE5\xF1\xF2\\a.tvf\r\n"), ReadLines(3),
                   Send("NO\r\n")});
    client.GetTest(server.Address(), kComputer, Chooser(0), &GetTestTest::NoPassword);
    EXPECT_EQ(server.Received(0), "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\n"
                                  "C:\\\xD2\xE5\xF1\xF2\\a.tvf\r\nQUIT\r\n");
}

TEST_F(GetTestTest, QuietEndsSendQuitAfterTheList) {
    const struct {
        const char* Name;
        std::string List;
        std::optional<size_t> Choice;
        std::optional<size_t> ItemsShown; // none: no dialog
    } cases[] = {
        {"cancelled", "YES\r\n2\r\na.tvf\r\nb.tvf\r\n", std::nullopt, 2},
        {"no test offered", "YES\r\n0\r\n", 0, 0},
        {"count not a number", "YES\r\nmany\r\n", 0, 0},
        {"negative count", "YES\r\n-4\r\n", std::nullopt, 0},
        {"choice beyond the list", "YES\r\n2\r\na.tvf\r\nb.tvf\r\n", 7, 2},
        {"the only line is empty", "YES\r\n1\r\n\r\n", 0, std::nullopt},
    };
    size_t connection = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        offered.clear();
        server.Expect({ReadLines(2), Send(c.List)});
        GetTestOutcome outcome = client.GetTest(server.Address(), kComputer, Chooser(c.Choice),
                                                &GetTestTest::NoPassword);
        EXPECT_FALSE(outcome.Result.Failed());
        EXPECT_FALSE(outcome.Result.Message());
        EXPECT_FALSE(outcome.Load);
        ASSERT_EQ(offered.size(), c.ItemsShown ? 1u : 0u);
        if (c.ItemsShown) {
            EXPECT_EQ(offered[0].size(), *c.ItemsShown);
        }
        EXPECT_EQ(server.Received(connection++), "GETLIST\r\nCLASS-PC7\r\nQUIT\r\n");
    }
}

TEST_F(GetTestTest, ARefusedListOrTestSaysRefused) {
    server.Expect({ReadLines(2), Send("NO\r\n")});
    GetTestOutcome list =
        client.GetTest(server.Address(), kComputer, Chooser(0), &GetTestTest::NoPassword);
    EXPECT_TRUE(list.Result.Failed());
    EXPECT_EQ(list.Result.Message(), RefusedBox());
    EXPECT_EQ(server.Received(0), "GETLIST\r\nCLASS-PC7\r\nQUIT\r\n");

    server.Expect({ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n"), ReadLines(3), Send("NO\r\n")});
    GetTestOutcome test =
        client.GetTest(server.Address(), kComputer, Chooser(0), &GetTestTest::NoPassword);
    EXPECT_TRUE(test.Result.Failed());
    EXPECT_EQ(test.Result.Message(), RefusedBox());
    EXPECT_FALSE(test.Load);
    EXPECT_EQ(server.Received(1),
              "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\na.tvf\r\nQUIT\r\n");
}

TEST_F(GetTestTest, AnEmptyNameLeavesNoTestAndNoMessage) {
    const std::string file = SmallTestFile("Дроби");
    server.Expect({ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n"), ReadLines(3),
                   Send("YES\r\n\r\n" + std::to_string(file.size()) + "\r\n" + file)});
    GetTestOutcome outcome =
        client.GetTest(server.Address(), kComputer, Chooser(0), &GetTestTest::NoPassword);
    EXPECT_FALSE(outcome.Result.Message());
    ASSERT_TRUE(outcome.Load);
    EXPECT_EQ(outcome.Load->Status, LoadTestStatus::NotFound);
    EXPECT_FALSE(outcome.Load->Test);
}

TEST_F(GetTestTest, TheLoaderAsksThePasswordWhileTheConnectionIsOpen) {
    const std::string file = SmallTestFile("Секрет", "пароль");
    server.Expect({ReadLines(2), Send("YES\r\n1\r\ns.tvf\r\n"), ReadLines(3),
                   Send("YES\r\ns.tvf\r\n" + std::to_string(file.size()) + "\r\n" + file)});
    size_t endedWhileAsking = 99;
    GetTestOutcome outcome = client.GetTest(server.Address(), kComputer, Chooser(0), [&] {
        endedWhileAsking = server.ConnectionCount();
        return std::optional<std::string>("пароль");
    });
    EXPECT_EQ(endedWhileAsking, 0u);
    ASSERT_TRUE(outcome.Load);
    EXPECT_EQ(outcome.Load->Status, LoadTestStatus::Loaded);
    EXPECT_EQ(server.Received(0),
              "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\ns.tvf\r\nQUIT\r\n");
}

TEST_F(GetTestTest, BytesThatAreNoTestGetTheLoadersOwnMessage) {
    server.Expect({ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n"), ReadLines(3),
                   Send("YES\r\na.tvf\r\n5\r\nhello")});
    GetTestOutcome outcome =
        client.GetTest(server.Address(), kComputer, Chooser(0), &GetTestTest::NoPassword);
    EXPECT_FALSE(outcome.Result.Failed());
    EXPECT_FALSE(outcome.Result.Message());
    ASSERT_TRUE(outcome.Load);
    EXPECT_NE(outcome.Load->Status, LoadTestStatus::Loaded);
    EXPECT_TRUE(outcome.Load->Result.Message());
    EXPECT_EQ(server.Received(0),
              "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\na.tvf\r\nQUIT\r\n");
}

TEST_F(GetTestTest, HostileServersEndTheExchangeWithTheErrorAndNoTest) {
    const std::string file = SmallTestFile("Дроби");
    const std::string test = "YES\r\na.tvf\r\n";
    const struct {
        const char* Name;
        ServerScript Script;
        std::string Sent; // what the station sent before it gave up
    } cases[] = {
        {"no list reply", {ReadLines(2)}, "GETLIST\r\nCLASS-PC7\r\n"},
        {"over-long list line",
         {ReadLines(2), Send("YES\r\n2\r\n" + std::string(kMaxLineLength + 1, 'a') + "\r\n")},
         "GETLIST\r\nCLASS-PC7\r\n"},
        {"fewer lines than counted",
         {ReadLines(2), Send("YES\r\n3\r\na.tvf\r\n"), CloseNow()},
         "GETLIST\r\nCLASS-PC7\r\n"},
        {"too many offered tests",
         {ReadLines(2), Send("YES\r\n10001\r\n")},
         "GETLIST\r\nCLASS-PC7\r\n"},
        {"size not a number",
         {ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n"), ReadLines(3), Send(test + "big\r\n")},
         "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\na.tvf\r\n"},
        {"negative size",
         {ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n"), ReadLines(3), Send(test + "-5\r\n")},
         "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\na.tvf\r\n"},
        {"size beyond the bound",
         {ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n"), ReadLines(3), Send(test + "268435457\r\n")},
         "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\na.tvf\r\n"},
        {"closes in the middle of the test",
         {ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n"), ReadLines(3),
          Send(test + std::to_string(file.size()) + "\r\n" + file.substr(0, file.size() / 2)),
          CloseNow()},
         "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\na.tvf\r\n"},
        {"stops in the middle of the test",
         {ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n"), ReadLines(3),
          Send(test + std::to_string(file.size()) + "\r\n" + file.substr(0, 10))},
         "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\na.tvf\r\n"},
        {"never answers GETTEST",
         {ReadLines(2), Send("YES\r\n1\r\na.tvf\r\n")},
         "GETLIST\r\nCLASS-PC7\r\nGETTEST\r\nCLASS-PC7\r\na.tvf\r\n"},
    };
    size_t connection = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        server.Expect(c.Script);
        GetTestOutcome outcome =
            client.GetTest(server.Address(), kComputer, Chooser(0), &GetTestTest::NoPassword);
        EXPECT_TRUE(outcome.Result.Failed());
        EXPECT_EQ(outcome.Result.Message(), ConnectionErrorBox());
        EXPECT_FALSE(outcome.Load);
        EXPECT_EQ(server.Received(connection++), c.Sent);
    }
}

// A server whose connection breaks when the station sends "QUIT", after
// the whole test has arrived.
class QuitBreaksConnector final : public Connector {
public:
    explicit QuitBreaksConnector(std::string replies) : m_replies(std::move(replies)) {}
    std::unique_ptr<Connection> Connect(const ServerAddress&) override {
        class Breaking final : public Connection {
        public:
            explicit Breaking(std::string replies) : m_memory({std::move(replies)}) {}
            void Send(std::span<const uint8_t> bytes) override {
                if (std::string(bytes.begin(), bytes.end()) == "QUIT\r\n")
                    throw NetError("connection reset");
                m_memory.Send(bytes);
            }
            size_t Receive(uint8_t* buffer, size_t size) override {
                return m_memory.Receive(buffer, size);
            }

        private:
            MemoryConnection m_memory;
        };
        return std::make_unique<Breaking>(m_replies);
    }

private:
    std::string m_replies;
};

TEST_F(GetTestTest, ATestLoadedBeforeTheExchangeFailsIsKept) {
    const std::string file = SmallTestFile("Дроби");
    QuitBreaksConnector breaking("YES\r\n1\r\na.tvf\r\nYES\r\na.tvf\r\n" +
                                 std::to_string(file.size()) + "\r\n" + file);
    ServerClient breakingClient(breaking, SourceTexts());
    GetTestOutcome outcome =
        breakingClient.GetTest({"server", 1}, kComputer, Chooser(0), &GetTestTest::NoPassword);
    EXPECT_TRUE(outcome.Result.Failed());
    EXPECT_EQ(outcome.Result.Message(), ConnectionErrorBox());
    ASSERT_TRUE(outcome.Load);
    EXPECT_EQ(outcome.Load->Status, LoadTestStatus::Loaded);
    EXPECT_EQ(outcome.Load->Test->Title, "Дроби");
}

TEST_F(GetTestTest, AListOfMoreTextThanItMayHoldFailsAsItArrives) {
    // 300 lines of 8,000 letters "я" are 2.4 MB on the wire and 4.8 MB of
    // UTF-8: over the bound, so the exchange ends before the last of them.
    const std::string line = std::string(8000, '\xFF') + "\r\n";
    std::string list = "YES\r\n300\r\n";
    for (int i = 0; i < 300; ++i)
        list += line;
    server.Expect({ReadLines(2), Send(list)});
    bool asked = false;
    GetTestOutcome outcome = client.GetTest(
        server.Address(), kComputer,
        [&](const std::vector<std::string>&) -> std::optional<size_t> {
            asked = true;
            return 0;
        },
        &GetTestTest::NoPassword);
    EXPECT_FALSE(asked);
    EXPECT_TRUE(outcome.Result.Failed());
    EXPECT_EQ(outcome.Result.Message(), ConnectionErrorBox());

    // Half of it is a list like any other.
    std::string half = "YES\r\n150\r\n";
    for (int i = 0; i < 150; ++i)
        half += line;
    server.Expect({ReadLines(2), Send(half)});
    client.GetTest(
        server.Address(), kComputer,
        [&](const std::vector<std::string>& items) -> std::optional<size_t> {
            asked = items.size() == 150;
            return std::nullopt;
        },
        &GetTestTest::NoPassword);
    EXPECT_TRUE(asked);
}

TEST_F(GetTestTest, NoServerSaysConnectionError) {
    GetTestOutcome outcome = client.GetTest({"127.0.0.1", UnusedPort()}, kComputer, Chooser(0),
                                            &GetTestTest::NoPassword);
    EXPECT_TRUE(outcome.Result.Failed());
    EXPECT_EQ(outcome.Result.Message(), ConnectionErrorBox());
}

TEST_F(GetTestTest, AChooserThatThrowsEndsTheExchangeAsAFailure) {
    server.Expect({ReadLines(2), Send("YES\r\n2\r\na.tvf\r\nb.tvf\r\n")});
    GetTestOutcome outcome = client.GetTest(
        server.Address(), kComputer,
        [](const std::vector<std::string>&) -> std::optional<size_t> {
            throw std::runtime_error("dialog failed");
        },
        &GetTestTest::NoPassword);
    EXPECT_TRUE(outcome.Result.Failed());
    EXPECT_EQ(outcome.Result.Message(), ConnectionErrorBox());
    EXPECT_EQ(server.Received(0), "GETLIST\r\nCLASS-PC7\r\n");
}

} // namespace
} // namespace tevrix
