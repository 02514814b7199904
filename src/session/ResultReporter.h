// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"

namespace tevrix {

// Sends the RESULT report of a finished run to the teacher's server. The
// network client implements it and shows its own failure message; the run's
// outputs go on whatever happens.
class ResultReporter {
public:
    virtual ~ResultReporter() = default;
    virtual void ReportResult(const TResultTest& record) = 0;
};

} // namespace tevrix
