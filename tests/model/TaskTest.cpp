// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawTestFile.h"
#include "model/Task.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

// A task of the given kind with every field its kind uses set to something
// other than its default.
TTask FilledTask(TaskKind kind) {
    TTask task;
    task.Kind = kind;
    task.Question = {"{\\rtf1\\ansi \\'c2\\'ee\\'ef\\'f0\\'ee\\'f1?}"};
    task.PictureFile = "картинка.png";
    task.MediaFile = "звук.wav";
    task.Points = 3;
    task.TimeLimit = 45;
    task.Introduction = {"Вступление"};
    task.Prompt = {"Подсказка"};
    task.PromptPenalty = 2;
    task.Explanation = {"Объяснение"};
    task.ThemeKey = 7;
    switch (kind) {
    case TaskKind::tkNumberInput:
        task.NumberCount = 3;
        task.NumberRanges = {{{1.5, 2.5}, {-3, -3}, {1e9, 2e9}}};
        task.NumberLabels = {{"x =", "y =", "z ="}};
        task.NumberOrderMatters = false;
        break;
    case TaskKind::tkTextInput:
        task.TextAnswers = "Москва\r\nМосква-река";
        task.TextCaseSensitive = true;
        task.TextIsRegExp = true;
        break;
    case TaskKind::tkPointOnImage: task.Areas = {{1, 2, 30, 40}, {-5, 0, 5, 10}}; break;
    case TaskKind::tkComposeWord: task.Word = "ЗЕМЛЯ"; break;
    default:
        if (IsVariantKind(kind)) {
            for (int i = 0; i < 4; ++i) {
                task.Variants[i] = {"Вариант " + std::to_string(i)};
                task.VariantValues[i] = i + 1;
            }
            if (kind == TaskKind::tkMatching)
                task.Matches = {{{"М1"}, {"М2"}, {}, {"М4"}}};
        }
    }
    return task;
}

TTask RoundTrip(const TTask& task) {
    MemoryOutputStream out;
    task.SaveToStream(out);
    MemoryInputStream in(out.Bytes());
    TTask copy;
    copy.LoadFromStream(in);
    EXPECT_EQ(in.Remaining(), 0u);
    return copy;
}

class TaskRecordTest : public ::testing::TestWithParam<int> {};

TEST_P(TaskRecordTest, ReadsBackEveryFieldItsKindCarries) {
    const TTask task = FilledTask(static_cast<TaskKind>(GetParam()));
    EXPECT_EQ(RoundTrip(task), task);
}

TEST_P(TaskRecordTest, AssignCopiesTheRecord) {
    const TTask source = FilledTask(static_cast<TaskKind>(GetParam()));
    TTask target;
    target.Assign(source);
    EXPECT_EQ(target, source);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TaskRecordTest, ::testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12),
                         testing::CaseName);

TEST(TaskTest, NewTaskHasTheDocumentedDefaults) {
    const TTask task;
    EXPECT_EQ(task.Kind, TaskKind::None);
    EXPECT_EQ(task.Points, 1);
    EXPECT_EQ(task.NumberCount, 1);
    EXPECT_TRUE(task.NumberOrderMatters);
    EXPECT_FALSE(task.TextCaseSensitive);
    EXPECT_FALSE(task.TextIsRegExp);
    EXPECT_EQ(task.VariantCount(), 0);
    EXPECT_EQ(task.MatchCount(), 0);
    EXPECT_EQ(task.AreaCount(), 0);
}

TEST(TaskTest, EmptySlotsBeforeTheLastFilledOneCountAsVariants) {
    TTask task;
    task.Variants[0] = {"a"};
    task.Variants[1] = {"b"};
    task.Variants[4] = {"e"};
    EXPECT_EQ(task.VariantCount(), 5);
    task.Matches[9] = {"z"};
    EXPECT_EQ(task.MatchCount(), 10);
}

TEST(TaskTest, AccessorsReadTheSlots) {
    TTask task = FilledTask(TaskKind::tkNumberInput);
    EXPECT_TRUE(task.RangeIsInterval(0));
    EXPECT_FALSE(task.RangeIsInterval(1));
    EXPECT_EQ(task.NumberLabel(2), "z =");
    task.VariantValues = {{0, 1, 2}};
    EXPECT_FALSE(task.IsCorrectVariant(0));
    EXPECT_TRUE(task.IsCorrectVariant(1));
    EXPECT_TRUE(task.IsCorrectVariant(2));
}

TEST(TaskTest, WriterAlwaysWritesTenSlotsAndReaderAcceptsFewer) {
    TTask task;
    task.Kind = TaskKind::tkSingleChoice;
    task.Variants[0] = {"a"};
    MemoryOutputStream out;
    task.SaveToStream(out);
    // The variant count follows the kind byte and ten empty texts or int32s.
    const auto& bytes = out.Bytes();
    const size_t countAt = 1 + 10 * 4;
    ASSERT_GT(bytes.size(), countAt + 4);
    EXPECT_EQ(bytes[countAt], 10);

    const auto shorter = testing::BodyBuilder()
                             .Byte(1)
                             .Text("Q")
                             .Text("")
                             .Text("")
                             .Int(2)
                             .Int(0)
                             .Text("")
                             .Text("")
                             .Int(0)
                             .Text("")
                             .Int(0)
                             .Int(2)
                             .Text("a")
                             .Text("b") // two variants
                             .Int(1)
                             .Int(1) // one value
                             .Int(0)
                             .Byte(0)
                             .Bytes();
    MemoryInputStream in(shorter);
    TTask read;
    read.LoadFromStream(in);
    EXPECT_EQ(read.VariantCount(), 2);
    EXPECT_EQ(read.VariantValues[0], 1);
    EXPECT_EQ(read.VariantValues[1], 0);
    EXPECT_EQ(read.Points, 2);
}

TEST(TaskTest, NegativeListCountsGiveNoEntries) {
    const auto bytes = testing::BodyBuilder()
                           .Byte(4)
                           .Text("Q")
                           .Text("")
                           .Text("")
                           .Int(1)
                           .Int(0)
                           .Text("")
                           .Text("")
                           .Int(0)
                           .Text("")
                           .Int(0)
                           .Int(-3)
                           .Int(-1)
                           .Int(-7)
                           .Int(0)
                           .Byte(0)
                           .Bytes();
    MemoryInputStream in(bytes);
    TTask task;
    task.LoadFromStream(in);
    EXPECT_EQ(task.VariantCount(), 0);
    EXPECT_EQ(task.MatchCount(), 0);
    EXPECT_EQ(in.Remaining(), 0u);
}

} // namespace
} // namespace tevrix
