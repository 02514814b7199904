// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTestSupport.h"
#include "net/RunReportBlocks.h"
#include "net/ServerRunReporter.h"
#include "support/ResultRecords.h"
#include "support/ScriptedTcpServer.h"

#include <gtest/gtest.h>
#include <thread>

namespace tevrix {
namespace {

using namespace testing;

constexpr const char* kRunId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

// The engine's dialogs as far as the reporter uses them: the boxes shown.
class RecordingDialogs final : public SessionDialogs {
public:
    MessageReply ShowMessageBox(const MessageBoxRequest& request) override {
        Boxes.push_back(request);
        return MessageReply::Ok;
    }
    std::optional<std::string> AskPassword() override { return std::nullopt; }
    IdentityFields CurrentIdentity() override { return {}; }
    bool ShowIdentification(const IdentificationSetup&) override { return false; }
    bool ShowTextViewer(const RichText&, const std::string&) override { return true; }

    std::vector<MessageBoxRequest> Boxes;
};

class ServerRunReporterTest : public ::testing::Test {
protected:
    ServerRunReporterTest() {
        settings.RemoteHost = "127.0.0.1";
        settings.RemotePort = server.Address().Port;
    }

    ScriptedTcpServer server;
    Settings settings;
    RecordingDialogs dialogs;
    TcpConnector connector{TestTimeouts()};
    ServerClient client{connector, SourceTexts()};
};

TEST_F(ServerRunReporterTest, ReportsGoToTheServerOfTheSettings) {
    ServerRunReporter reporter(client, settings, dialogs);
    TResultTest record = SampleRecord();
    EXPECT_TRUE(reporter.ReportRunBegin(kRunId, record));
    EXPECT_TRUE(reporter.ReportProgress(kRunId, false, record));
    reporter.ReportResult(kRunId, "key", record);
    EXPECT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(server.Received(0),
              "INFOBEGIN\r\n" + Framed(InfoBeginBlock(kRunId, record)) + "QUIT\r\n");
    EXPECT_EQ(server.Received(1),
              "INFOPROCESS\r\n" + Framed(InfoProcessBlock(kRunId, false, record)) + "QUIT\r\n");
    EXPECT_EQ(server.Received(2), std::string("RESULT\r\n") + kRunId + "\r\nkey\r\n" +
                                      Framed(ResultRecordBlock(record)) + "QUIT\r\n");
}

TEST_F(ServerRunReporterTest, TheAddressIsReadAtEachReport) {
    ServerRunReporter reporter(client, settings, dialogs);
    ScriptedTcpServer second;
    EXPECT_TRUE(reporter.ReportRunBegin(kRunId, SampleRecord()));
    settings.RemotePort = second.Address().Port;
    EXPECT_TRUE(reporter.ReportProgress(kRunId, true, SampleRecord()));
    EXPECT_EQ(server.Received(0).substr(0, 11), "INFOBEGIN\r\n");
    EXPECT_EQ(second.Received(0).substr(0, 13), "INFOPROCESS\r\n");
}

TEST_F(ServerRunReporterTest, AFailedReportShowsNoConnectionAndSaysSo) {
    settings.RemotePort = UnusedPort();
    ServerRunReporter reporter(client, settings, dialogs);
    const TResultTest record = SampleRecord();
    EXPECT_FALSE(reporter.ReportRunBegin(kRunId, record));
    EXPECT_FALSE(reporter.ReportProgress(kRunId, true, record));
    reporter.ReportResult(kRunId, "", record);
    ASSERT_EQ(dialogs.Boxes.size(), 3u);
    for (const MessageBoxRequest& box : dialogs.Boxes) {
        EXPECT_EQ(box.Text, "Нет связи с сервером!");
        EXPECT_EQ(box.Caption, "Ошибка!");
        EXPECT_EQ(box.Icon, MessageIcon::Error);
        EXPECT_EQ(box.Buttons, MessageButtons::Ok);
    }
}

TEST_F(ServerRunReporterTest, TheRunnerRunsTheExchangeOnACopyOfTheRecord) {
    // A worker thread sends while the window's timers go on counting into
    // the record: what is sent is the record as it was asked for.
    TResultTest record = SampleRecord();
    int runs = 0;
    ServerRunReporter reporter(client, settings, dialogs,
                               [&](const std::function<void()>& exchange) {
                                   ++runs;
                                   record.Duration += 100;
                                   std::thread worker(exchange);
                                   worker.join();
                               });
    const TResultTest asked = record;
    reporter.ReportResult(kRunId, "", record);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(server.Received(0), std::string("RESULT\r\n") + kRunId + "\r\n\r\n" +
                                      Framed(ResultRecordBlock(asked)) + "QUIT\r\n");
}

} // namespace
} // namespace tevrix
