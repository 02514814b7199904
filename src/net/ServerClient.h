// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/TestLoader.h"
#include "net/Connector.h"
#include "results/ResultMessage.h"
#include "results/ResultTest.h"
#include "text/TextLocale.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

class LineChannel;

// What fetching a test leaves: the exchange's own outcome (its message
// translated) and, when the test arrived, what the loader made of it (the
// loader's box is shown before the exchange's).
struct GetTestOutcome {
    Outcome Result;
    std::optional<LoadTestOutcome> Load;
};

// Lets the pupil choose among the offered tests: gets the list items
// ("1) a.tvf", ...; possibly none) with the first to be selected, returns
// the index of the item confirmed, or nothing when the choice was cancelled.
using TestChooser = std::function<std::optional<size_t>(const std::vector<std::string>& items)>;

// The station's exchanges with the teacher's server, each on a connection of
// its own that is closed at its end in every case. The exchanges are plain
// blocking code: the window runs them on a worker thread while its own loop
// goes on. They never overlap: an exchange asked for while another runs
// waits until that one has ended. The callbacks of GetTest run inside the
// exchange and must not start another exchange on the same client.
//
// The run reports' conditions (IsSendResult, ReportToServer, the reporting
// switch) are the session engine's; ServerRunReporter takes its reports.
// GetTest's (IsSendResult, with IsAutoGetTestFromStart at start-up) is the
// window's, whose "Получить по сети" is enabled only then.
class ServerClient {
public:
    ServerClient(Connector& connector, TextLocale locale);

    // TEST: succeeds with "Соединение прошло успешно..." in a plain box when
    // the reply is exactly "OK"; any other reply fails showing nothing; a
    // broken exchange fails with "Нет связи с сервером!". Messages are
    // translated.
    Outcome TestConnection(const ServerAddress& address, std::string_view computerName);

    // The run reports; no reply is read. A broken exchange fails with "Нет
    // связи с сервером!".
    Outcome ReportRunBegin(const ServerAddress& address, std::string_view runId,
                           const TResultTest& record);
    Outcome ReportProgress(const ServerAddress& address, std::string_view runId,
                           bool serverProgressFlag, const TResultTest& record);
    Outcome ReportResult(const ServerAddress& address, std::string_view runId,
                         std::string_view resultKey, const TResultTest& record);

    // GETLIST, the choice (one offered test is taken without asking), GETTEST,
    // and the received test handed to LoadTest while the connection is still
    // open. Fails with "Отказано в получении теста..." when the last reply
    // read was not "YES", and with "Ошибка связи с сервером!" when the
    // exchange breaks off, in which case a test the loader had finished is
    // kept. A choice that is cancelled, or made from an empty list, ends
    // quietly and without a failure.
    GetTestOutcome GetTest(const ServerAddress& address, std::string_view computerName,
                           const TestChooser& choose, const PasswordPrompt& askPassword);

private:
    // Connects, runs `steps` on the connection, closes it. Returns false and
    // keeps the connection's failure to itself when any step fails.
    bool Exchange(const ServerAddress& address, const std::function<void(LineChannel&)>& steps);
    Outcome Report(const ServerAddress& address, const std::function<void(LineChannel&)>& steps);
    PupilMessage ErrorBox(const char* text) const;
    PupilMessage PlainBox(const char* text) const;

    std::mutex m_exchange; // held for the whole of an exchange
    Connector& m_connector;
    TextLocale m_locale;
};

} // namespace tevrix
