// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/EndSummary.h"
#include "results/ResultMessage.h"

#include <vector>

namespace tevrix {

// What the result outputs need of the main window.
class RunOutputView {
public:
    virtual ~RunOutputView() = default;
    // Clears the question text area and writes the summary lines into it in
    // their styles, then zooms, puts the caret at the start and scrolls to it.
    virtual void ShowEndSummary(const std::vector<SummaryLine>& lines) = 0;
    // A modal message box with an OK button.
    virtual void ShowMessage(const PupilMessage& message) = 0;
};

} // namespace tevrix
