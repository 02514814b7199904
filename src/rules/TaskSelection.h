// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"
#include "model/Test.h"
#include "rules/RandomSource.h"

#include <cstdint>
#include <vector>

namespace tevrix {

// Reseeds `random`, then makes 2h + 1 exchanges over `list` (h its highest
// index), each of two positions drawn independently from 0 to h (they may
// coincide). An empty list is left alone. Shuffles task and variant orders.
void ShuffleIndexes(std::vector<int32_t>& list, RandomSource& random);

// The tasks of a run, as task indexes in the order they are asked.
//
// Without UseThemes: every task in file order. With UseThemes, theme by
// theme in the order of the theme list: the theme's tasks (those whose
// ThemeKey is its Key) are collected in file order and shuffled; a limited
// theme contributes the first TakeCount of them (none when TakeCount is 0
// or less), another all of them; with RandomTaskOrder off each theme's block
// is put back in file order. A task of no theme is never asked. With
// RandomTaskOrder the whole order is shuffled at the end.
std::vector<int32_t> BuildTaskOrder(const TTest& test, const TTaskList& tasks,
                                    RandomSource& random);

} // namespace tevrix
