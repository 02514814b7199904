// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Settings.h"
#include "frontend/SessionDialogs.h"
#include "net/ServerClient.h"
#include "session/RunReporter.h"

#include <functional>

namespace tevrix {

// Runs an exchange to its end before returning. The window passes one that
// runs it on a worker thread while the window's event loop goes on; without
// one the exchange runs on the calling thread.
using ExchangeRunner = std::function<void(const std::function<void()>& exchange)>;

// The session engine's run reports sent through the network client to the
// server of the settings (RemoteHost, RemotePort, read at each report).
// A failed report shows "Нет связи с сервером!" through the engine's
// dialogs, on the calling thread, and the engine goes on with the run. The
// engine decides whether a report is sent at all (IsSendResult,
// ReportToServer, its reporting switch).
class ServerRunReporter final : public RunReporter {
public:
    ServerRunReporter(ServerClient& client, const Settings& settings, SessionDialogs& dialogs,
                      ExchangeRunner runner = {});

    bool ReportRunBegin(const std::string& runId, const TResultTest& record) override;
    bool ReportProgress(const std::string& runId, bool serverProgressFlag,
                        const TResultTest& record) override;
    void ReportResult(const std::string& runId, const std::string& resultKey,
                      const TResultTest& record) override;

private:
    // Runs `exchange` through the runner and shows its message; true when
    // it did not fail.
    bool Send(const std::function<Outcome()>& exchange);
    ServerAddress Address() const;

    ServerClient& m_client;
    const Settings& m_settings;
    SessionDialogs& m_dialogs;
    ExchangeRunner m_runner;
};

} // namespace tevrix
