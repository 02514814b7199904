// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Navigation.h"

namespace tevrix {
namespace {

// The first unchecked position in [from, to).
std::optional<int> FirstUnchecked(const std::vector<int32_t>& states, int from, int to) {
    for (int position = from; position < to; ++position)
        if (states[position] < kPositionChecked)
            return position;
    return std::nullopt;
}

} // namespace

std::optional<int> NextUncheckedPosition(int current, int positionCount,
                                         const std::vector<int32_t>& positionStates) {
    if (positionStates.empty())
        return current + 1 < positionCount ? std::optional<int>(current + 1) : std::nullopt;
    const int count = int(positionStates.size());
    if (auto after = FirstUnchecked(positionStates, current + 1, count))
        return after;
    return FirstUnchecked(positionStates, 0, current);
}

std::optional<int> SkipTargetPosition(int current, const std::vector<int32_t>& positionStates) {
    const int count = int(positionStates.size());
    if (auto after = FirstUnchecked(positionStates, current + 1, count))
        return after;
    return FirstUnchecked(positionStates, 0, current + 1);
}

} // namespace tevrix
