// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"
#include "text/TextLocale.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tevrix {

enum class SummaryStyle {
    Normal,
    Bold,
    BoldRed, // bold, in kSummaryRed
};

struct SummaryRgb {
    uint8_t Red;
    uint8_t Green;
    uint8_t Blue;
};
inline constexpr SummaryRgb kSummaryRed{220, 50, 50};

// One line of the end-of-run summary that the main window's question area
// shows; the window only renders them.
struct SummaryLine {
    std::string Text;
    SummaryStyle Style = SummaryStyle::Normal;
    friend bool operator==(const SummaryLine&, const SummaryLine&) = default;
};

// The summary of a finished, graded run of the test titled `testTitle`.
// With `showUserResult` (the setting and the test's permission both on) it
// holds the counts, shares, points and mark; otherwise one red line says that
// the teacher has the results.
std::vector<SummaryLine> BuildEndSummary(const TResultTest& record, const std::string& testTitle,
                                         bool showUserResult, const TextLocale& locale);

} // namespace tevrix
