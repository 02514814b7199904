// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/TaskSelection.h"

#include <algorithm>
#include <numeric>

namespace tevrix {
namespace {

std::vector<int32_t> ThemeBlock(const TTheme& theme, const TTaskList& tasks, bool randomOrder,
                                RandomSource& random) {
    std::vector<int32_t> block;
    for (size_t i = 0; i < tasks.size(); ++i)
        if (tasks[i].ThemeKey == theme.Key)
            block.push_back(int32_t(i));
    ShuffleIndexes(block, random);
    if (theme.TakeLimited)
        block.resize(std::min(block.size(), size_t(std::max(theme.TakeCount, 0))));
    if (!randomOrder)
        std::sort(block.begin(), block.end());
    return block;
}

} // namespace

void ShuffleIndexes(std::vector<int32_t>& list, RandomSource& random) {
    if (list.empty())
        return;
    random.Reseed();
    const int highest = int(list.size()) - 1;
    for (int exchange = 0; exchange < 2 * highest + 1; ++exchange) {
        const int first = random.Below(highest + 1);
        const int second = random.Below(highest + 1);
        std::swap(list[first], list[second]);
    }
}

std::vector<int32_t> BuildTaskOrder(const TTest& test, const TTaskList& tasks,
                                    RandomSource& random) {
    std::vector<int32_t> order;
    if (!test.UseThemes) {
        order.resize(tasks.size());
        std::iota(order.begin(), order.end(), 0);
    } else {
        for (const TTheme& theme : test.Themes) {
            if (theme.TakeLimited && theme.TakeCount <= 0)
                continue;
            const std::vector<int32_t> block =
                ThemeBlock(theme, tasks, test.RandomTaskOrder, random);
            order.insert(order.end(), block.begin(), block.end());
        }
    }
    if (test.RandomTaskOrder)
        ShuffleIndexes(order, random);
    return order;
}

} // namespace tevrix
