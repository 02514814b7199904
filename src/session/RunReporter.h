// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"

#include <string>

namespace tevrix {

// The reports of a run to the teacher's server: INFOBEGIN, INFOPROCESS and
// RESULT. The engine sends them only when the station's IsSendResult and the
// test's ReportToServer allow it. The network client implements this and
// shows its own message when an exchange fails; the run goes on whatever
// happens.
class RunReporter {
public:
    virtual ~RunReporter() = default;
    // The start of a run, with the record as filled at the start. False when
    // the report failed.
    virtual bool ReportRunBegin(const std::string& runId, const TResultTest& record) = 0;
    // The progress after a check. False when the report failed.
    virtual bool ReportProgress(const std::string& runId, bool serverProgressFlag,
                                const TResultTest& record) = 0;
    // The finished, graded record.
    virtual void ReportResult(const std::string& runId, const std::string& resultKey,
                              const TResultTest& record) = 0;
};

} // namespace tevrix
