// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"

namespace tevrix {

// The modal result window with its two charts.
class ResultWindow {
public:
    virtual ~ResultWindow() = default;
    virtual void ShowResultWindow(const TResultTest& record) = 0;
};

} // namespace tevrix
