// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Test.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tevrix {
namespace {

TEST(TestModelTest, NewTestHasTheDocumentedDefaults) {
    const TTest test(::testing::TempDir());
    ASSERT_EQ(test.MarkCount(), 5);
    const int percents[] = {0, 0, 50, 70, 85};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(test.GetMark(i).Value, i + 1);
        EXPECT_EQ(test.GetMark(i).Percent, percents[i]);
        EXPECT_EQ(test.GetMark(i).Name, "");
    }
    ASSERT_EQ(test.ThemeCount(), 1);
    EXPECT_EQ(test.GetTheme(0).Key, 0);
    EXPECT_EQ(test.GetTheme(0).Name, "Общий список заданий (без темы)");
    EXPECT_EQ(test.GetTheme(0).Comment, "Основная тема. Ее удалить нельзя.");
    EXPECT_TRUE(test.WholeAnswerOnly);
    EXPECT_TRUE(test.ReportToServer);
    EXPECT_TRUE(test.ShowResult);
    EXPECT_TRUE(test.SaveResult);
    EXPECT_TRUE(test.ServerProgressFlag);
    EXPECT_FALSE(test.Modified);
    EXPECT_FALSE(test.RandomTaskOrder || test.RandomVariantOrder || test.ShowCorrectAnswer ||
                 test.PenalizeWrong || test.AllowSkip || test.ExclusiveMode || test.ShowReport ||
                 test.SaveProtectedResult || test.UseThemes);
    EXPECT_EQ(test.TestTimeLimit + test.TasksToAsk + test.MaxRuns + test.MinAnsweredPercent +
                  test.AskCount,
              0);
    EXPECT_EQ(test.FileCrc, 0u);
    EXPECT_EQ(test.Saved, 0);
    EXPECT_GT(test.Created, 46000);
    EXPECT_TRUE(test.Title.empty() && test.UId.empty() && test.OpenPassword.empty());
}

TEST(TestModelTest, TemporaryFolderLivesAndDiesWithTheTest) {
    std::string folder;
    {
        TTest test(::testing::TempDir());
        folder = test.TempDir;
        ASSERT_EQ(folder.back(), '/');
        EXPECT_EQ(folder.size(), fs::path(::testing::TempDir()).string().size() +
                                     (::testing::TempDir().back() == '/' ? 0 : 1) + 38 + 1);
        ASSERT_TRUE(fs::is_directory(folder));
        fs::create_directory(folder + "sub");
        std::ofstream(folder + "sub/a.txt") << "a";
        std::ofstream(folder + "b.txt") << "b";
        fs::permissions(folder + "b.txt", fs::perms::owner_read); // read-only goes too
    }
    EXPECT_FALSE(fs::exists(folder));
}

TEST(TestModelTest, DeletingTheFolderRemovesLinksWithoutFollowingThem) {
    const testing::TempFolder outside;
    const std::string victim = outside.File("victim");
    testing::WriteWholeFile(victim, "kept");
    fs::permissions(victim, fs::perms::owner_read);
    TTest test(outside.Path());
    const std::string folder = test.TempDir;
    fs::create_symlink(victim, folder + "link");
    fs::create_directory_symlink(outside.Path(), folder + "dir-link");
    EXPECT_TRUE(test.DeleteTempDir().Ok());
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(testing::ReadWholeFile(victim), "kept");
    EXPECT_EQ(fs::status(victim).permissions(), fs::perms::owner_read);
}

TEST(TestModelTest, TemporaryFolderGoesUnderTmpdir) {
    const std::string root = ::testing::TempDir() + "tevrix-tmpdir-test";
    fs::create_directories(root);
    setenv("TMPDIR", root.c_str(), 1);
    {
        TTest test;
        EXPECT_EQ(test.TempDir.rfind(root + "/{", 0), 0u) << test.TempDir;
    }
    unsetenv("TMPDIR");
    fs::remove_all(root);
}

TEST(TestModelTest, SetMarkCountResetsAllCriteriaOnlyWhenTheCountChanges) {
    TTest test(::testing::TempDir());
    test.SetMark(2, 33, "два");
    test.Modified = false;
    test.SetMarkCount(5);
    EXPECT_EQ(test.GetMark(1).Percent, 33);
    EXPECT_FALSE(test.Modified);

    test.SetMarkCount(3);
    ASSERT_EQ(test.MarkCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(test.GetMark(i), (TMark{i + 1, 0, ""}));
    EXPECT_TRUE(test.Modified);
}

TEST(TestModelTest, SetMarkCountsFromOneAndIgnoresOutOfRange) {
    TTest test(::testing::TempDir());
    test.Modified = false;
    test.SetMark(0, 10, "x");
    test.SetMark(6, 10, "x");
    EXPECT_FALSE(test.Modified);
    test.SetMark(3, 50, ""); // same values: not a change
    EXPECT_FALSE(test.Modified);
    test.SetMark(1, 5, "плохо");
    EXPECT_TRUE(test.Modified);
    EXPECT_EQ(test.GetMark(0), (TMark{1, 5, "плохо"}));
}

TEST(TestModelTest, SetThemeUpdatesByKeyOrAppends) {
    TTest test(::testing::TempDir());
    test.SetTheme(0, "Все", "", 9, false);
    test.SetTheme(7, "Семь", "c", 2, true);
    test.SetTheme(7, "Семь!", "c2", 3, true);
    test.SetTheme(9, "Девять", "", 4, false);
    ASSERT_EQ(test.ThemeCount(), 3);
    EXPECT_EQ(test.GetTheme(0).Name, "Все");
    EXPECT_EQ(test.GetTheme(0).TakeCount, 0); // not limited: stored as 0
    EXPECT_EQ(test.GetTheme(1).Name, "Семь!");
    EXPECT_EQ(test.GetTheme(1).TakeCount, 3);
    EXPECT_EQ(test.GetTheme(2).TakeCount, 0);
    EXPECT_TRUE(test.Modified);
}

TTaskList TasksWithThemes(std::initializer_list<std::pair<int, int>> keyCounts) {
    TTaskList tasks;
    for (const auto& [key, count] : keyCounts)
        for (int i = 0; i < count; ++i) {
            TTask task;
            task.ThemeKey = key;
            tasks.push_back(task);
        }
    return tasks;
}

TEST(TestModelTest, RecountThemesTakesLimitedThemesAtMostTheirCount) {
    TTest test(::testing::TempDir());
    test.UseThemes = true;
    test.SetTheme(7, "a", "", 2, true);
    test.SetTheme(9, "b", "", 0, true);
    test.SetTheme(11, "c", "", 10, true);
    const TTaskList tasks = TasksWithThemes({{0, 3}, {7, 5}, {9, 4}, {5, 1}, {11, 2}});
    test.RecountThemes(tasks);
    EXPECT_EQ(test.GetTheme(0).TaskCount, 3);
    EXPECT_EQ(test.GetTheme(1).TaskCount, 5);
    EXPECT_EQ(test.GetTheme(2).TaskCount, 4);
    EXPECT_EQ(test.GetTheme(3).TaskCount, 2);
    EXPECT_EQ(test.AskCount, 3 + 2 + 0 + 2); // the task of theme 5 is counted nowhere
}

TEST(TestModelTest, LimitedThemesWithNegativeCountsAddNothing) {
    // Counts that would overflow 32 bits if they were added as they are.
    TTest test(::testing::TempDir());
    test.UseThemes = true;
    for (int key = 1; key <= 3; ++key)
        test.SetTheme(key, "t", "", -2'000'000'000 + key, true);
    test.RecountThemes(TasksWithThemes({{0, 2}, {1, 3}, {2, 1}, {3, 4}}));
    EXPECT_EQ(test.AskCount, 2);
}

TEST(TestModelTest, WithoutThemesEveryTaskIsAsked) {
    TTest test(::testing::TempDir());
    test.TasksToAsk = 2;
    test.RecountThemes(TasksWithThemes({{0, 3}, {5, 4}}));
    EXPECT_EQ(test.AskCount, 7);
    EXPECT_EQ(test.GetTheme(0).TaskCount, 0); // not computed
}

} // namespace
} // namespace tevrix
