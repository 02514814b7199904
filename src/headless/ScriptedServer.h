// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "headless/Transcript.h"
#include "session/RunReporter.h"

namespace tevrix {

// The teacher's server of a simulated run: every report is written to the
// transcript instead of being sent. A server that is down makes every
// report fail (the network client's own message is not shown here).
class ScriptedServer final : public RunReporter {
public:
    explicit ScriptedServer(Transcript& transcript, bool down = false)
        : m_transcript(transcript), m_down(down) {}

    bool ReportRunBegin(const std::string& runId, const TResultTest& record) override;
    bool ReportProgress(const std::string& runId, bool serverProgressFlag,
                        const TResultTest& record) override;
    void ReportResult(const std::string& runId, const std::string& resultKey,
                      const TResultTest& record) override;

private:
    bool Report(const std::string& command, const std::string& text);

    Transcript& m_transcript;
    bool m_down;
};

} // namespace tevrix
