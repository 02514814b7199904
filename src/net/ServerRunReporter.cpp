// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ServerRunReporter.h"

namespace tevrix {

ServerRunReporter::ServerRunReporter(ServerClient& client, const Settings& settings,
                                     SessionDialogs& dialogs, ExchangeRunner runner)
    : m_client(client), m_settings(settings), m_dialogs(dialogs), m_runner(std::move(runner)) {}

ServerAddress ServerRunReporter::Address() const {
    return {m_settings.RemoteHost, m_settings.RemotePort};
}

bool ServerRunReporter::Send(const std::function<Outcome()>& exchange) {
    Outcome outcome;
    const auto run = [&] { outcome = exchange(); };
    if (m_runner)
        m_runner(run);
    else
        run();
    if (const std::optional<PupilMessage>& message = outcome.Message())
        m_dialogs.ShowMessageBox(
            {message->Text, message->Caption, message->Icon, MessageButtons::Ok});
    return outcome.Ok();
}

// Each report works on its own copy of the record: while a worker thread
// sends it, the window's timers may still count seconds into the original.

bool ServerRunReporter::ReportRunBegin(const std::string& runId, const TResultTest& record) {
    return Send([this, address = Address(), runId, copy = record] {
        return m_client.ReportRunBegin(address, runId, copy);
    });
}

bool ServerRunReporter::ReportProgress(const std::string& runId, bool serverProgressFlag,
                                       const TResultTest& record) {
    return Send([this, address = Address(), runId, serverProgressFlag, copy = record] {
        return m_client.ReportProgress(address, runId, serverProgressFlag, copy);
    });
}

void ServerRunReporter::ReportResult(const std::string& runId, const std::string& resultKey,
                                     const TResultTest& record) {
    Send([this, address = Address(), runId, resultKey, copy = record] {
        return m_client.ReportResult(address, runId, resultKey, copy);
    });
}

} // namespace tevrix
