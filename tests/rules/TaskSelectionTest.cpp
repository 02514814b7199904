// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/TaskSelection.h"
#include "support/ScriptedRandom.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace tevrix {
namespace {

using testing::ScriptedRandom;

TEST(ShuffleIndexesTest, MakesTwiceHighestPlusOneExchangesAfterReseeding) {
    std::vector<int32_t> list{10, 11, 12};
    // Exchanges (0,2) (1,1) (2,0) (0,1) (2,2).
    ScriptedRandom random({0, 2, 1, 1, 2, 0, 0, 1, 2, 2});
    ShuffleIndexes(list, random);
    EXPECT_EQ(random.Reseeds, 1);
    EXPECT_EQ(random.Draws, 10);
    EXPECT_EQ(list, (std::vector<int32_t>{11, 10, 12}));
}

TEST(ShuffleIndexesTest, EmptyAndSingleLists) {
    std::vector<int32_t> empty;
    ScriptedRandom random({1});
    ShuffleIndexes(empty, random);
    EXPECT_EQ(random.Reseeds, 0);
    std::vector<int32_t> single{5};
    ShuffleIndexes(single, random);
    EXPECT_EQ(single, std::vector<int32_t>{5});
    EXPECT_EQ(random.Draws, 2); // one exchange of position 0 with itself
}

TEST(ShuffleIndexesTest, ClockSourceKeepsEveryEntry) {
    std::vector<int32_t> list(50);
    for (int i = 0; i < 50; ++i)
        list[i] = i;
    ClockRandomSource random;
    ShuffleIndexes(list, random);
    std::vector<int32_t> sorted = list;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(sorted[i], i);
}

class BuildTaskOrderTest : public ::testing::Test {
protected:
    // Tasks with the given theme keys, in file order.
    void SetTasks(std::initializer_list<int> themeKeys) {
        for (const int key : themeKeys) {
            TTask task;
            task.ThemeKey = key;
            m_tasks.push_back(task);
        }
    }

    TTest m_test{::testing::TempDir()};
    TTaskList m_tasks;
};

TEST_F(BuildTaskOrderTest, WithoutThemesEveryTaskInFileOrder) {
    SetTasks({0, 3, 0, 9, 0});
    m_test.TasksToAsk = 2;
    ScriptedRandom random({1, 3});
    EXPECT_EQ(BuildTaskOrder(m_test, m_tasks, random), (std::vector<int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(random.Reseeds, 0);
}

TEST_F(BuildTaskOrderTest, WithoutThemesRandomOrderShufflesAll) {
    SetTasks({0, 0, 0});
    m_test.RandomTaskOrder = true;
    ScriptedRandom random({0, 2, 1, 1, 2, 0, 0, 1, 2, 2});
    EXPECT_EQ(BuildTaskOrder(m_test, m_tasks, random), (std::vector<int32_t>{1, 0, 2}));
}

TEST_F(BuildTaskOrderTest, ThemesInListOrderEachInFileOrder) {
    // Theme 0: tasks 0, 2, 5; theme 7 (limited to 2): tasks 1, 3, 4, 6.
    SetTasks({0, 7, 0, 7, 7, 0, 7});
    m_test.UseThemes = true;
    m_test.SetTheme(7, "Семь", "", 2, true);
    // Theme 0's shuffle swaps nothing; theme 7's first exchange brings task 6
    // to the front ((0,3) then six self-exchanges).
    ScriptedRandom random(
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(BuildTaskOrder(m_test, m_tasks, random), (std::vector<int32_t>{0, 2, 5, 3, 6}));
    EXPECT_EQ(random.Reseeds, 2);
}

TEST_F(BuildTaskOrderTest, LimitedThemeTakesARandomChoice) {
    SetTasks({7, 7, 7, 7});
    m_test.UseThemes = true;
    m_test.SetTheme(7, "", "", 2, true);
    std::set<std::vector<int32_t>> seen;
    ClockRandomSource random;
    for (int run = 0; run < 200; ++run) {
        const std::vector<int32_t> order = BuildTaskOrder(m_test, m_tasks, random);
        ASSERT_EQ(order.size(), 2u);
        EXPECT_LT(order[0], order[1]); // file order within the theme
        seen.insert(order);
    }
    EXPECT_GT(seen.size(), 3u);
}

TEST_F(BuildTaskOrderTest, EmptyLimitedThemesAndTasksOfNoTheme) {
    SetTasks({0, 9, 5, 9, 0});
    m_test.UseThemes = true;
    m_test.SetTheme(9, "", "", 0, true);  // limited to none
    m_test.SetTheme(5, "", "", -3, true); // a negative count takes none either
    ScriptedRandom random;
    EXPECT_EQ(BuildTaskOrder(m_test, m_tasks, random), (std::vector<int32_t>{0, 4}));
}

TEST_F(BuildTaskOrderTest, ThemesWithRandomOrderShuffleTheWhole) {
    SetTasks({0, 0, 0});
    m_test.UseThemes = true;
    m_test.RandomTaskOrder = true;
    // Theme 0's shuffle: (0,2) then self-exchanges -> 2,1,0; the whole
    // order: (0,1) then self-exchanges -> 1,2,0.
    ScriptedRandom random({0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(BuildTaskOrder(m_test, m_tasks, random), (std::vector<int32_t>{1, 2, 0}));
}

} // namespace
} // namespace tevrix
