// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ServerClient.h"

#include "net/LineChannel.h"
#include "net/NetError.h"
#include "net/OfferedTests.h"
#include "net/RunReportBlocks.h"
#include "net/ServerProtocol.h"

#include <exception>

namespace tevrix {
namespace {

// The offered tests after the list reply "YES": a count line (no number
// counts as -1, so no test) and that many lines.
std::vector<std::string> ReceiveOfferedTests(LineChannel& channel) {
    const int64_t count = ParseDecimal(channel.ReceiveLine()).value_or(-1);
    if (count > kMaxOfferedTests)
        throw NetError("the server offers too many tests");
    std::vector<std::string> offered;
    size_t held = 0;
    for (int64_t i = 0; i < count; ++i) {
        offered.push_back(channel.ReceiveLine());
        held += offered.back().size();
        if (held > kMaxOfferedListBytes)
            throw NetError("the list of offered tests is too long");
    }
    return offered;
}

// The offered line chosen, or an empty text when none was.
std::string ChooseOffered(const std::vector<std::string>& offered, const TestChooser& choose) {
    if (offered.size() == 1)
        return offered.front();
    const std::optional<size_t> index = choose(OfferedTestItems(offered));
    return index && *index < offered.size() ? offered[*index] : std::string();
}

// After the list reply "YES": the choice, GETTEST and, on its "YES", the
// test handed to the loader. Returns the test reply, or nothing when no
// test was chosen.
std::optional<std::string> ChooseAndReceive(LineChannel& channel, std::string_view computerName,
                                            const TestChooser& choose,
                                            const PasswordPrompt& askPassword,
                                            GetTestOutcome& outcome) {
    const std::string chosen = ChooseOffered(ReceiveOfferedTests(channel), choose);
    if (chosen.empty())
        return std::nullopt;
    channel.SendLine(kCommandGetTest);
    channel.SendLine(computerName);
    channel.SendLine(chosen);
    std::string reply = channel.ReceiveLine();
    if (reply == kReplyYes) {
        const std::string name = channel.ReceiveLine();
        const int64_t size = channel.ReceiveCount(kMaxReceivedTestSize);
        const std::vector<uint8_t> bytes = channel.ReceiveBytes(static_cast<size_t>(size));
        // The loader runs with the connection still open: the server waits
        // for "QUIT" while the pupil types the test's password.
        outcome.Load = LoadTest(name, std::span<const uint8_t>(bytes), askPassword);
    }
    return reply;
}

} // namespace

ServerClient::ServerClient(Connector& connector, TextLocale locale)
    : m_connector(connector), m_locale(std::move(locale)) {}

bool ServerClient::Exchange(const ServerAddress& address,
                            const std::function<void(LineChannel&)>& steps) {
    try {
        const std::unique_ptr<Connection> connection = m_connector.Connect(address);
        LineChannel channel(*connection);
        steps(channel);
        return true;
    } catch (const std::exception&) {
        // Whatever broke (the connection, the framing, a callback), the
        // connection is closed by now and the exchange is over.
        return false;
    }
}

Outcome ServerClient::Report(const ServerAddress& address,
                             const std::function<void(LineChannel&)>& steps) {
    if (!Exchange(address, steps))
        return Outcome::Failure(ErrorBox(kMsgNoConnection));
    return {};
}

Outcome ServerClient::TestConnection(const ServerAddress& address, std::string_view computerName) {
    const std::lock_guard lock(m_exchange);
    std::string reply;
    const Outcome outcome = Report(address, [&](LineChannel& channel) {
        channel.SendLine(kCommandTest);
        channel.SendLine(computerName);
        reply = channel.ReceiveLine();
        channel.SendLine(kCommandQuit);
    });
    if (outcome.Failed())
        return outcome;
    if (reply != kReplyOk)
        return Outcome::Failure();
    return Outcome::Success(PlainBox(kMsgConnectionSucceeded));
}

Outcome ServerClient::ReportRunBegin(const ServerAddress& address, std::string_view runId,
                                     const TResultTest& record) {
    const std::lock_guard lock(m_exchange);
    return Report(address, [&](LineChannel& channel) {
        channel.SendLine(kCommandInfoBegin);
        channel.SendBlock(InfoBeginBlock(runId, record));
        channel.SendLine(kCommandQuit);
    });
}

Outcome ServerClient::ReportProgress(const ServerAddress& address, std::string_view runId,
                                     bool serverProgressFlag, const TResultTest& record) {
    const std::lock_guard lock(m_exchange);
    return Report(address, [&](LineChannel& channel) {
        channel.SendLine(kCommandInfoProcess);
        channel.SendBlock(InfoProcessBlock(runId, serverProgressFlag, record));
        channel.SendLine(kCommandQuit);
    });
}

Outcome ServerClient::ReportResult(const ServerAddress& address, std::string_view runId,
                                   std::string_view resultKey, const TResultTest& record) {
    const std::lock_guard lock(m_exchange);
    return Report(address, [&](LineChannel& channel) {
        channel.SendLine(kCommandResult);
        channel.SendLine(runId);
        channel.SendLine(resultKey);
        channel.SendBlock(ResultRecordBlock(record));
        channel.SendLine(kCommandQuit);
    });
}

GetTestOutcome ServerClient::GetTest(const ServerAddress& address, std::string_view computerName,
                                     const TestChooser& choose, const PasswordPrompt& askPassword) {
    const std::lock_guard lock(m_exchange);
    GetTestOutcome outcome;
    std::string lastReply;
    const bool completed = Exchange(address, [&](LineChannel& channel) {
        channel.SendLine(kCommandGetList);
        channel.SendLine(computerName);
        lastReply = channel.ReceiveLine();
        if (lastReply == kReplyYes) {
            if (std::optional<std::string> testReply =
                    ChooseAndReceive(channel, computerName, choose, askPassword, outcome))
                lastReply = std::move(*testReply);
        }
        channel.SendLine(kCommandQuit);
    });
    if (!completed)
        outcome.Result = Outcome::Failure(ErrorBox(kMsgConnectionError));
    else if (lastReply != kReplyYes)
        outcome.Result = Outcome::Failure(PlainBox(kMsgTestRefused));
    return outcome;
}

PupilMessage ServerClient::ErrorBox(const char* text) const {
    return {m_locale.Tr(text), m_locale.Tr(kNetCaptionError), MessageIcon::Error};
}

PupilMessage ServerClient::PlainBox(const char* text) const {
    return {m_locale.Tr(text), kApplicationTitle, MessageIcon::None};
}

} // namespace tevrix
