// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"

namespace tevrix {

// The detailed per-task report, shown modally. It rewrites the record's
// VariantOrder with the order it prints (the run is over by then).
class DetailReport {
public:
    virtual ~DetailReport() = default;
    virtual void ShowDetailReport(TResultTest& record) = 0;
};

} // namespace tevrix
