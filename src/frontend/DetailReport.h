// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"
#include "model/Test.h"
#include "results/ResultTest.h"

namespace tevrix {

// The detailed per-task report of a finished run of `test` (its `tasks` and
// the pictures in its TempDir), shown modally. It rewrites the record's
// VariantOrder with the order it prints (the run is over by then).
class DetailReport {
public:
    virtual ~DetailReport() = default;
    virtual void ShowDetailReport(TResultTest& record, const TTest& test,
                                  const TTaskList& tasks) = 0;
};

} // namespace tevrix
