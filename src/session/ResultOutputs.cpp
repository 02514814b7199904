// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ResultOutputs.h"

#include "results/EndSummary.h"
#include "results/ProtectedResultFile.h"
#include "results/ResultMessage.h"

namespace tevrix {

ResultOutputs::ResultOutputs(ResultOutputSettings settings, TextLocale locale, const Clock& clock,
                             RunOutputTargets targets)
    : m_settings(std::move(settings)),
      m_locale(std::move(locale)),
      m_clock(clock),
      m_targets(targets) {}

ResultLog ResultOutputs::Log() const {
    return ResultLog(m_settings.ResultFilePath(m_settings.ResultFileName), m_locale);
}

void ResultOutputs::Show(const Outcome& outcome) {
    if (outcome.Message())
        m_targets.View.ShowMessage(*outcome.Message());
}

void ResultOutputs::LogEvent(const std::string& line) {
    if (m_settings.IsSaveResult)
        Show(Log().AppendLogLine(line));
}

void ResultOutputs::LogProgramStart() {
    LogEvent(Log().ProgramStartLine(m_clock.Now()));
}

void ResultOutputs::LogProgramClose() {
    LogEvent(Log().ProgramCloseLine(m_clock.Now()));
}

void ResultOutputs::LogRunStart(const std::string& testTitle) {
    LogEvent(Log().RunStartLine(m_clock.Now(), testTitle));
}

void ResultOutputs::PlayEndSound() {
    if (!m_settings.IsUseSound)
        return;
    if (m_settings.IsUseDefaultSound)
        m_targets.Sound.PlayDefaultEndSound();
    else
        m_targets.Sound.PlaySoundFile(m_settings.EndSoundPath());
}

bool ResultOutputs::ShowsUserResult(const TTest& test) const {
    return m_settings.IsShowUserResult && test.ShowResult;
}

void ResultOutputs::ProduceRunOutputs(TResultTest& record, const TTest& test,
                                      const TTaskList& tasks) {
    PlayEndSound();
    m_targets.View.ShowEndSummary(
        BuildEndSummary(record, test.Title, ShowsUserResult(test), m_locale));
    if (m_settings.IsSaveResult && test.SaveResult)
        Show(Log().SaveResultLog(record, m_clock.Now()));
    if (m_settings.IsSaveProtectionResult && test.SaveProtectedResult)
        Show(WriteProtectedResult(m_settings, {test.UId, test.ResultKey}, record, m_locale).Result);
    if (m_settings.IsSendResult && test.ReportToServer)
        m_targets.Reporter.ReportResult(record);
    if (ShowsUserResult(test))
        m_targets.Window.ShowResultWindow(record);
    else
        m_targets.View.ShowMessage(PupilMessage{m_locale.Tr(kMsgAskTheTeacher),
                                                m_locale.Tr(kResultCaptionTestResults),
                                                MessageIcon::Exclamation});
    if (m_settings.IsShowDetailReport && test.ShowReport)
        m_targets.Report.ShowDetailReport(record, test, tasks);
}

} // namespace tevrix
