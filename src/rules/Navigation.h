// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tevrix {

// A position's entry in PositionStates.
inline constexpr int32_t kPositionNeverShown = -1;
inline constexpr int32_t kPositionShown = 0;
inline constexpr int32_t kPositionChecked = 1;

// Where a run goes after the task at `current` was checked, or nothing when
// no task is left. Without skipping (`positionStates` empty) the next
// position; with it the first unchecked position after `current`, else the
// first unchecked one before it.
std::optional<int> NextUncheckedPosition(int current, int positionCount,
                                         const std::vector<int32_t>& positionStates);

// Where skipping the task at `current` leads: the first unchecked position
// after it, else the first unchecked one from 0 up to and including
// `current` itself (shown again when it is the only one left).
std::optional<int> SkipTargetPosition(int current, const std::vector<int32_t>& positionStates);

} // namespace tevrix
