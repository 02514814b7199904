// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/ScriptedServer.h"

#include "text/Format.h"

namespace tevrix {

bool ScriptedServer::Report(const std::string& command, const std::string& text) {
    m_transcript.Add({"report", command, text, m_down ? "failed" : "sent"});
    return !m_down;
}

bool ScriptedServer::ReportRunBegin(const std::string& runId, const TResultTest& record) {
    return Report("INFOBEGIN", Format("%s %s / %s: %d tasks, %d points",
                                      {runId, record.UserName, record.UserGroup,
                                       static_cast<long long>(record.TaskCount),
                                       static_cast<long long>(record.MaxScore)},
                                      '.'));
}

bool ScriptedServer::ReportProgress(const std::string& runId, bool serverProgressFlag,
                                    const TResultTest& record) {
    return Report(
        "INFOPROCESS",
        Format("%s flag %d: done %d, right %d, wrong %d, no answer %d, score %1.2f of %d",
               {runId, static_cast<long long>(serverProgressFlag),
                static_cast<long long>(record.DoneCount), static_cast<long long>(record.RightCount),
                static_cast<long long>(record.WrongCount),
                static_cast<long long>(record.NoAnswerCount), record.Score,
                static_cast<long long>(record.AskedMaxScore)},
               '.'));
}

void ScriptedServer::ReportResult(const std::string& runId, const std::string& resultKey,
                                  const TResultTest& record) {
    Report("RESULT",
           Format("%s key \"%s\": mark %d, score %1.2f",
                  {runId, resultKey, static_cast<long long>(record.Mark), record.Score}, '.'));
}

} // namespace tevrix
