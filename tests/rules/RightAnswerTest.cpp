// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/RightAnswer.h"
#include "support/CaseNames.h"
#include "support/TaskBuilders.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using namespace tevrix::testing;

constexpr ColorValue kCorrect = 0x00AA00;
constexpr ColorValue kError = 0x0000AA;

AnswerColors Colors() {
    AnswerColors colors;
    colors.Correct = kCorrect;
    colors.Error = kError;
    for (size_t i = 0; i < colors.Collation.size(); ++i)
        colors.Collation[i] = ColorValue(100 + i + 1); // collation colour n is 100 + n
    return colors;
}

RightAnswerView Describe(const TTask& task, const std::vector<int32_t>& order,
                         const EnteredAnswer& answer) {
    const TextLocale locale{{}, ','};
    const Evaluation evaluation = EvaluateAnswer(task, order, answer, locale);
    return DescribeRightAnswer(task, order, answer, evaluation, Colors(), locale);
}

std::vector<std::string> MarksOf(const RightAnswerView& view) {
    std::vector<std::string> marks;
    for (const SlotHighlight& slot : view.Slots)
        marks.push_back(slot.Mark);
    return marks;
}

TEST(RightAnswerTest, SingleChoiceMarksRightVariantsAndTheWrongSelection) {
    const TTask task = VariantTask(TaskKind::tkSingleChoice, {1, 0, 0});
    const RightAnswerView view = Describe(task, {2, 0, 1}, SingleChoiceAnswer{0});
    EXPECT_EQ(MarksOf(view), (std::vector<std::string>{"-", "+", "-"}));
    EXPECT_EQ(view.Slots[0].VariantColor, kError);   // selected, wrong
    EXPECT_EQ(view.Slots[1].VariantColor, kCorrect); // the right one
    EXPECT_EQ(view.Slots[2].VariantColor, std::nullopt);
    EXPECT_EQ(view.Message, "Неправильно...\r\n");
    EXPECT_FALSE(view.DrawAreas);
}

TEST(RightAnswerTest, MultipleChoiceRightVariantIsCorrectAlsoWhenTicked) {
    const TTask task = VariantTask(TaskKind::tkMultipleChoice, {1, 0, 1, 0});
    const RightAnswerView view = Describe(task, {0, 1, 2, 3}, MultipleChoiceAnswer{{true, true}});
    EXPECT_EQ(MarksOf(view), (std::vector<std::string>{"+", "-", "+", "-"}));
    EXPECT_EQ(view.Slots[0].VariantColor, kCorrect);
    EXPECT_EQ(view.Slots[1].VariantColor, kError);
    EXPECT_EQ(view.Slots[2].VariantColor, kCorrect);
    EXPECT_EQ(view.Slots[3].VariantColor, std::nullopt);
}

TEST(RightAnswerTest, OrderingShowsRightPositions) {
    const TTask task = VariantTask(TaskKind::tkOrdering, {2, 3, 1});
    const RightAnswerView view = Describe(task, {2, 0, 1}, ChosenEntriesAnswer{{0, 2, 1}});
    EXPECT_EQ(MarksOf(view), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(view.Slots[0].ListColor, kCorrect);
    EXPECT_EQ(view.Slots[0].VariantColor, kCorrect);
    EXPECT_EQ(view.Slots[1].ListColor, kError);
    EXPECT_EQ(view.Slots[1].VariantColor, kError);
    EXPECT_EQ(view.Slots[2].MatchColor, std::nullopt);
}

TEST(RightAnswerTest, MatchingColoursPairsByCollation) {
    const TTask task = MatchingTask({3, 0, 11}, 3);
    const RightAnswerView view =
        Describe(task, {0, 1, 2}, ChosenEntriesAnswer{{2, ChosenEntriesAnswer::kNoEntry, 0}});
    EXPECT_EQ(MarksOf(view), (std::vector<std::string>{"3", "0", "11"}));
    EXPECT_EQ(view.Slots[0].VariantColor, ColorValue(103));
    EXPECT_EQ(view.Slots[1].VariantColor, kError);       // value 0
    EXPECT_EQ(view.Slots[2].VariantColor, std::nullopt); // no colour beyond 10
    for (size_t s = 0; s < 3; ++s)
        EXPECT_EQ(view.Slots[s].MatchColor, ColorValue(101 + s));
    EXPECT_EQ(view.Slots[0].ListColor, kCorrect);
    EXPECT_EQ(view.Slots[1].ListColor, kCorrect); // no partner, nothing chosen
    EXPECT_EQ(view.Slots[2].ListColor, kError);
}

TEST(RightAnswerTest, TrueFalseMarksTrueVariants) {
    const TTask task = VariantTask(TaskKind::tkTrueFalse, {1, 2, 1});
    const RightAnswerView view = Describe(task, {0, 1, 2}, ChosenEntriesAnswer{{1, 0}});
    EXPECT_EQ(MarksOf(view), (std::vector<std::string>{"+", "-", "+"}));
    EXPECT_EQ(view.Slots[0].ListColor, kCorrect);
    EXPECT_EQ(view.Slots[1].ListColor, kError);
    EXPECT_EQ(view.Slots[2].VariantColor, kError); // untouched
}

TEST(RightAnswerTest, NumbersInAnyOrderGiveRangesOfAssignedNumbers) {
    const TTask task = NumberTask({{1, 2}, {1, 5}}, false);
    const RightAnswerView view = Describe(task, {0, 1}, NumberFieldsAnswer{{"2", "9"}});
    EXPECT_EQ(MarksOf(view), (std::vector<std::string>{"+", "-"}));
    EXPECT_EQ(view.Slots[0].MarkColor, kCorrect);
    EXPECT_EQ(view.Slots[1].MarkColor, kError);
    EXPECT_EQ(view.Message, "Неправильно...\r\n"
                            "Верный ответ в диапазоне от 1 до 2.\r\n"
                            "Верный ответ в диапазоне от 1 до 5.\r\n"
                            "Порядок не имеет значения.");
}

TEST(RightAnswerTest, NumberDuplicatesAreStarred) {
    const TTask task = NumberTask({{1, 5}, {10, 20}}, false);
    const RightAnswerView view = Describe(task, {0, 1}, NumberFieldsAnswer{{"3", "4"}});
    EXPECT_EQ(MarksOf(view), (std::vector<std::string>{"*", "*"}));
    EXPECT_EQ(view.Slots[0].MarkColor, kError);
    EXPECT_EQ(view.Message, "Неправильно...\r\n"
                            "Верный ответ в диапазоне от 1 до 5.\r\n"
                            "Верный ответ в диапазоне от 10 до 20.\r\n"
                            "Порядок не имеет значения.");
}

TEST(RightAnswerTest, ExactNumberInOrder) {
    const TTask task = NumberTask({{7, 7}, {0.5, 1.25}}, true);
    const RightAnswerView view = Describe(task, {1, 0}, NumberFieldsAnswer{{"1", "8"}});
    EXPECT_EQ(MarksOf(view), (std::vector<std::string>{"+", "-"}));
    EXPECT_EQ(view.Message, "Неправильно...\r\n"
                            "Верный ответ в диапазоне от 0,5 до 1,25.\r\n"
                            "Верный ответ: 7.\r\n");
}

TEST(RightAnswerTest, TextShowsTheFirstLineEvenForRegularExpressions) {
    EXPECT_EQ(
        Describe(TextTask("^мос.*$\r\nдругое", false, true), {}, TypedTextAnswer{"x"}).Message,
        "Неправильно...\r\nВерный ответ: \"^мос.*$\".");
    EXPECT_EQ(Describe(TextTask(""), {}, TypedTextAnswer{"x"}).Message,
              "Неправильно...\r\nВерный ответ: \"\".");
}

TEST(RightAnswerTest, WordAndPoint) {
    EXPECT_EQ(Describe(WordTask("Кот"), {}, ComposedWordAnswer{"Ток"}).Message,
              "Неправильно...\r\nВерный ответ: Кот.");
    const RightAnswerView point = Describe(PointTask({{0, 0, 5, 5}}), {}, PointAnswer{});
    EXPECT_TRUE(point.DrawAreas);
    EXPECT_EQ(point.Message, "Неправильно...\r\n");
    EXPECT_TRUE(point.Slots.empty());
}

struct GeneralCase {
    double Value;
    const char* Text;
};

class FormatGeneralNumberTest : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneralNumberTest, WritesTheShortestForm) {
    EXPECT_EQ(FormatGeneralNumber(GetParam().Value, ','), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatGeneralNumberTest,
                         ::testing::Values(GeneralCase{7, "7"}, GeneralCase{0, "0"},
                                           GeneralCase{-0.0, "0"}, GeneralCase{1.5, "1,5"},
                                           GeneralCase{-2.25, "-2,25"}, GeneralCase{0.1, "0,1"},
                                           GeneralCase{100, "100"}, GeneralCase{0.00001, "0,00001"},
                                           GeneralCase{0.000001, "1E-6"},
                                           GeneralCase{123456789012345, "123456789012345"},
                                           GeneralCase{1234567890123456, "1,23456789012346E15"},
                                           GeneralCase{1.0 / 3, "0,333333333333333"},
                                           GeneralCase{2.0 / 3, "0,666666666666667"}),
                         testing::CaseName);

} // namespace
} // namespace tevrix
