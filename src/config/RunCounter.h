// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Outcome.h"
#include "config/RebootMarkers.h"
#include "config/UserStore.h"
#include "text/TextLocale.h"
#include "text/Translate.h"

#include <cstdint>
#include <string>

namespace tevrix {

// The user store's subkey of the counts, one value per test named by its UId.
inline constexpr const char* kRunCountSubkey = "CountRunTest";
// The count assumed when the test's marker exists but its count is missing
// or no number.
inline constexpr int32_t kRunCountFallback = 100;
// %d is the test's MaxRuns. The line break is blank, LF, CR, as it always was.
inline constexpr const char* kCaptionRunLimit = N_("Внимание!");
inline constexpr const char* kMsgRunLimit =
    N_("Извините, но этот тест не может быть запущен более %d раз \n\rбез "
       "перезагрузки компьютера.");

// Limits how often a test may be started between two restarts of the
// computer.
class RunCounter {
public:
    RunCounter(UserStore store, RebootMarkers markers);
    // Counts in the current user's store, with the markers in the folder
    // "RunMarkers" beside the store's file and the kernel's boot id.
    static RunCounter ForCurrentUser();

    // Counts a start of the test with that UId and returns the number of
    // starts counted before this one since the computer started: 0 for the
    // first start (which makes the test's marker), else the stored count (the
    // fallback when it is unusable), which is then raised by one.
    int32_t CountTestRun(const std::string& uid);

    // The check at the start of a run, with the test's UId and MaxRuns.
    // Nothing is counted when maxRuns is 0 or less. Otherwise the start is
    // counted and refused when the count before it reached maxRuns; a
    // refused start is counted as well.
    // A refusal fails with kMsgRunLimit (translated, then given maxRuns) in
    // a box captioned "Внимание!" with the error icon.
    Outcome CheckRunLimit(const std::string& uid, int32_t maxRuns, const TextLocale& locale);

private:
    UserStore m_store;
    RebootMarkers m_markers;
};

} // namespace tevrix
