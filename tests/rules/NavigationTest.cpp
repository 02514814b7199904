// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Navigation.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct MoveCase {
    const char* Name;
    int Current;
    int Count;
    std::vector<int32_t> States; // empty: no skipping
    std::optional<int> Next;
    std::optional<int> Skip;
};

void PrintTo(const MoveCase& c, std::ostream* out) {
    *out << c.Name;
}

class NavigationTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(NavigationTest, FindsTheNextUncheckedPosition) {
    const MoveCase& c = GetParam();
    EXPECT_EQ(NextUncheckedPosition(c.Current, c.Count, c.States), c.Next);
    if (!c.States.empty()) {
        EXPECT_EQ(SkipTargetPosition(c.Current, c.States), c.Skip);
    }
}

const int32_t N = kPositionNeverShown;
const int32_t S = kPositionShown;
const int32_t C = kPositionChecked;

INSTANTIATE_TEST_SUITE_P(
    Cases, NavigationTest,
    ::testing::Values(MoveCase{"straight_next", 1, 3, {}, 2, std::nullopt},
                      MoveCase{"straight_last", 2, 3, {}, std::nullopt, std::nullopt},
                      // Positions 1 and 3 of 0..4 unchecked, current 2 (being checked).
                      MoveCase{"forward_first", 2, 5, {C, N, C, S, C}, 3, 3},
                      MoveCase{"then_wraps_round", 3, 5, {C, S, C, C, C}, 1, 1},
                      MoveCase{"none_left", 1, 5, {C, C, C, C, C}, std::nullopt, std::nullopt},
                      // Skipping the last position while position 0 is unchecked.
                      MoveCase{"skip_last_to_first", 4, 5, {S, C, C, C, S}, 0, 0},
                      // The only unchecked task is shown again when skipped, never by a check.
                      MoveCase{"only_current_left", 2, 4, {C, C, S, C}, std::nullopt, 2}),
    testing::CaseName);

} // namespace
} // namespace tevrix
