// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/DetailReport.h"
#include "frontend/EndSoundPlayer.h"
#include "frontend/ResultWindow.h"
#include "frontend/RunOutputView.h"
#include "model/Test.h"
#include "results/ResultLog.h"
#include "results/ResultOutputSettings.h"
#include "results/ResultTest.h"
#include "session/ResultReporter.h"
#include "text/DateTime.h"
#include "text/TextLocale.h"

#include <optional>
#include <string>

namespace tevrix {

// Where the outputs of a run go. Each is implemented by the part of the
// program that owns it (window, sound, network client).
struct RunOutputTargets {
    RunOutputView& View;
    EndSoundPlayer& Sound;
    ResultReporter& Reporter;
    ResultWindow& Window;
    DetailReport& Report;
};

// Everything a run leaves behind: the result log's event lines and, at the
// end of a run, the outputs in their fixed order. It is cheap to make; make
// one for each use so that it sees the settings of the moment.
class ResultOutputs {
public:
    ResultOutputs(ResultOutputSettings settings, TextLocale locale, const Clock& clock,
                  RunOutputTargets targets);

    // The event lines of the result log, written whenever IsSaveResult is on
    // (the test's permission plays no part).
    void LogProgramStart();
    void LogProgramClose();
    void LogRunStart(const std::string& testTitle);

    // The outputs of a finished, graded run, each step whatever happened in
    // the ones before:
    //  1. the end sound (IsUseSound);
    //  2. the summary in the main window;
    //  3. the result log block (IsSaveResult and the test's SaveResult);
    //  4. the protected result file (IsSaveProtectionResult and SaveProtectedResult);
    //  5. the RESULT report (IsSendResult and ReportToServer);
    //  6. the result window (IsShowUserResult and ShowResult), else a notice;
    //  7. the detailed report (IsShowDetailReport and ShowReport).
    // Failures are shown as message boxes and never stop the sequence.
    void ProduceRunOutputs(TResultTest& record, const TTest& test, const TTaskList& tasks);

private:
    void PlayEndSound();
    bool ShowsUserResult(const TTest& test) const;
    void LogEvent(const std::string& line);
    void Show(const Outcome& outcome);
    ResultLog Log() const;

    ResultOutputSettings m_settings;
    TextLocale m_locale;
    const Clock& m_clock;
    RunOutputTargets m_targets;
};

} // namespace tevrix
