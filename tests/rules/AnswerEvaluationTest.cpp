// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/AnswerEvaluation.h"
#include "support/CaseNames.h"
#include "support/TaskBuilders.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using namespace tevrix::testing;

struct EvaluationCase {
    std::string Name;
    TTask Task;
    std::vector<int32_t> Order;
    EnteredAnswer Answer;
    bool AllRight;
    int RightParts;
    int WrongParts;
    std::string AnswerText;
};

void PrintTo(const EvaluationCase& c, std::ostream* out) {
    *out << c.Name;
}

class EvaluateAnswerTest : public ::testing::TestWithParam<EvaluationCase> {};

TEST_P(EvaluateAnswerTest, JudgesAndRecordsTheAnswer) {
    const EvaluationCase& c = GetParam();
    const Evaluation evaluation = EvaluateAnswer(c.Task, c.Order, c.Answer, TextLocale{{}, ','});
    EXPECT_EQ(evaluation.AllRight, c.AllRight);
    EXPECT_EQ(evaluation.RightParts, c.RightParts);
    EXPECT_EQ(evaluation.WrongParts, c.WrongParts);
    EXPECT_EQ(evaluation.AnswerText, c.AnswerText);
}

std::vector<EvaluationCase> ChoiceCases() {
    const TTask single = VariantTask(TaskKind::tkSingleChoice, {1, 0, 0});
    const TTask multiple = VariantTask(TaskKind::tkMultipleChoice, {1, 0, 1, 0});
    return {
        // Variants A (right), B, C shown as C, A, B; the second slot shows A.
        {"single_right_in_shuffled_order",
         single,
         {2, 0, 1},
         SingleChoiceAnswer{1},
         true,
         0,
         0,
         "1"},
        {"single_wrong", single, {2, 0, 1}, SingleChoiceAnswer{0}, false, 0, 0, "3"},
        {"single_nothing_selected", single, {0, 1, 2}, SingleChoiceAnswer{}, false, 0, 0, ""},
        {"single_two_right_variants_never_right",
         VariantTask(TaskKind::tkSingleChoice, {1, 1}),
         {0, 1},
         SingleChoiceAnswer{0},
         false,
         0,
         0,
         "1"},
        // Right variants 1 and 3 of 4, ticked 1 and 2: variants 1 and 4 right.
        {"multiple_partly_right",
         multiple,
         {0, 1, 2, 3},
         MultipleChoiceAnswer{{true, true, false, false}},
         false,
         2,
         2,
         "1;2;"},
        {"multiple_right_in_display_order",
         multiple,
         {2, 1, 0, 3},
         MultipleChoiceAnswer{{true, false, true, false}},
         true,
         4,
         0,
         "3;1;"},
        {"multiple_short_list_counts_unticked",
         multiple,
         {0, 1, 2, 3},
         MultipleChoiceAnswer{{true}},
         false,
         3,
         1,
         "1;"},
    };
}

std::vector<EvaluationCase> ListCases() {
    const TTask ordering = VariantTask(TaskKind::tkOrdering, {2, 3, 1});
    const TTask matching = MatchingTask({3, 1, 2}, 5);
    const TTask trueFalse = VariantTask(TaskKind::tkTrueFalse, {1, 1, 2, 2});
    const int none = ChosenEntriesAnswer::kNoEntry;
    return {
        {"ordering_nothing_chosen",
         ordering,
         {0, 1, 2},
         ChosenEntriesAnswer{{none, none, none}},
         false,
         0,
         3,
         "1-0;2-0;3-0;"},
        {"ordering_right",
         ordering,
         {0, 1, 2},
         ChosenEntriesAnswer{{1, 2, 0}},
         true,
         3,
         0,
         "1-2;2-3;3-1;"},
        // Slots show variants 2, 0, 1; the text lists variants in their own order.
        {"ordering_shuffled_text_in_task_order",
         ordering,
         {2, 0, 1},
         ChosenEntriesAnswer{{0, 1, 1}},
         false,
         2,
         1,
         "1-2;2-2;3-1;"},
        {"matching_partly",
         matching,
         {0, 1, 2},
         ChosenEntriesAnswer{{2, 0, 4}},
         false,
         2,
         1,
         "1-3;2-1;3-5;"},
        // "Да", blank, "Нет", untouched against 1, 1, 2, 2.
        {"true_false_blank_and_untouched",
         trueFalse,
         {0, 1, 2, 3},
         ChosenEntriesAnswer{{1, 0, 2, none}},
         false,
         2,
         0,
         "1-Да;2-;3-Нет;4-;"},
        {"true_false_right",
         trueFalse,
         {3, 2, 1, 0},
         ChosenEntriesAnswer{{2, 2, 1, 1}},
         true,
         4,
         0,
         "1-Да;2-Да;3-Нет;4-Нет;"},
        {"true_false_one_wrong",
         trueFalse,
         {0, 1, 2, 3},
         ChosenEntriesAnswer{{2, 1, 2, 2}},
         false,
         3,
         1,
         "1-Нет;2-Да;3-Нет;4-Нет;"},
    };
}

std::vector<EvaluationCase> NumberCases() {
    const TTask any = NumberTask({{1, 2}, {1, 5}}, false);
    const TTask apart = NumberTask({{1, 5}, {10, 20}}, false);
    const TTask ordered = NumberTask({{1, 2}, {7, 7}}, true, {"x =", ""});
    return {
        {"any_order_crossed", any, {0, 1}, NumberFieldsAnswer{{"4", "2"}}, true, 2, 0, "4;2;"},
        {"any_order_duplicates_still_right",
         any,
         {0, 1},
         NumberFieldsAnswer{{"2", "2"}},
         true,
         2,
         0,
         "2;2;"},
        {"any_order_one_missing", any, {0, 1}, NumberFieldsAnswer{{"2", "9"}}, false, 1, 1, "2;9;"},
        {"any_order_apart", apart, {0, 1}, NumberFieldsAnswer{{"3", "4"}}, false, 1, 1, "3;4;"},
        {"ordered_right_with_comma_and_blanks",
         ordered,
         {0, 1},
         NumberFieldsAnswer{{" 1,5 ", "7,0"}},
         true,
         2,
         0,
         "x = 1,5;7,0;"},
        {"ordered_swapped_is_wrong",
         ordered,
         {0, 1},
         NumberFieldsAnswer{{"7", "1"}},
         false,
         0,
         2,
         "x = 7;1;"},
        // Field 0 shows number 1 (label empty), field 1 shows number 0.
        {"ordered_shuffled_labels",
         ordered,
         {1, 0},
         NumberFieldsAnswer{{"7", "2"}},
         true,
         2,
         0,
         "7;x = 2;"},
        {"empty_field_is_never_right",
         NumberTask({{0, 0}}, true),
         {0},
         NumberFieldsAnswer{{"  "}},
         false,
         0,
         1,
         ";"},
        {"text_that_is_no_number_is_zero",
         NumberTask({{0, 0}}, true),
         {0},
         NumberFieldsAnswer{{"abc"}},
         true,
         1,
         0,
         "abc;"},
    };
}

std::vector<EvaluationCase> OtherCases() {
    const TTask cities = TextTask("Москва\r\nмосква-сити");
    std::vector<TArea> areas = {{10, 10, 20, 20}, {30, 30, 40, 40}};
    return {
        {"text_upper_cased_and_trimmed",
         cities,
         {},
         TypedTextAnswer{" москва "},
         true,
         0,
         0,
         " москва "},
        {"text_second_line", cities, {}, TypedTextAnswer{"МОСКВА-СИТИ"}, true, 0, 0, "МОСКВА-СИТИ"},
        {"text_case_sensitive",
         TextTask("Москва\r\nмосква-сити", true),
         {},
         TypedTextAnswer{" москва "},
         false,
         0,
         0,
         " москва "},
        {"text_case_sensitive_exact",
         TextTask("Москва", true),
         {},
         TypedTextAnswer{"Москва\t"},
         true,
         0,
         0,
         "Москва\t"},
        {"text_lines_split_at_lf_and_cr",
         TextTask("один\nдва\rтри"),
         {},
         TypedTextAnswer{"три"},
         true,
         0,
         0,
         "три"},
        {"text_regexp_anywhere",
         TextTask("^\\d+$\nмоск", false, true),
         {},
         TypedTextAnswer{"в москве"},
         true,
         0,
         0,
         "в москве"},
        {"text_regexp_case_sensitive",
         TextTask("моск", false, true),
         {},
         TypedTextAnswer{"МОСКВА"},
         false,
         0,
         0,
         "МОСКВА"},
        {"text_bad_regexp_matches_nothing",
         TextTask("(\nок", false, true),
         {},
         TypedTextAnswer{"ок"},
         true,
         0,
         0,
         "ок"},
        {"text_only_bad_regexp",
         TextTask("(", false, true),
         {},
         TypedTextAnswer{"("},
         false,
         0,
         0,
         "("},
        {"text_empty_line_accepts_nothing",
         TextTask("да\r\n\r\n", false, true),
         {},
         TypedTextAnswer{"нет"},
         false,
         0,
         0,
         "нет"},
        {"text_no_answers", TextTask(""), {}, TypedTextAnswer{""}, false, 0, 0, ""},
        {"point_inside_second_area",
         PointTask(areas),
         {},
         PointAnswer{{{35, 31}}},
         true,
         0,
         0,
         "x=35; y=31"},
        {"point_on_left_edge_is_outside",
         PointTask(areas),
         {},
         PointAnswer{{{10, 15}}},
         false,
         0,
         0,
         "x=10; y=15"},
        {"point_on_bottom_edge_is_outside",
         PointTask(areas),
         {},
         PointAnswer{{{15, 20}}},
         false,
         0,
         0,
         "x=15; y=20"},
        {"point_not_placed", PointTask(areas), {}, PointAnswer{}, false, 0, 0, ""},
        {"point_without_areas", PointTask({}), {}, PointAnswer{{{1, 1}}}, false, 0, 0, "x=1; y=1"},
        {"word_right", WordTask("Слово"), {}, ComposedWordAnswer{"Слово"}, true, 0, 0, "Слово"},
        {"word_case_counts",
         WordTask("Слово"),
         {},
         ComposedWordAnswer{"слово"},
         false,
         0,
         0,
         "слово"},
        {"answer_of_another_kind_is_nothing",
         WordTask("а"),
         {},
         TypedTextAnswer{"а"},
         false,
         0,
         0,
         ""},
        {"kind_without_form_is_right", TTask{}, {}, EnteredAnswer{}, true, 0, 0, ""},
    };
}

INSTANTIATE_TEST_SUITE_P(Choices, EvaluateAnswerTest, ::testing::ValuesIn(ChoiceCases()),
                         testing::CaseName);
INSTANTIATE_TEST_SUITE_P(Lists, EvaluateAnswerTest, ::testing::ValuesIn(ListCases()),
                         testing::CaseName);
INSTANTIATE_TEST_SUITE_P(Numbers, EvaluateAnswerTest, ::testing::ValuesIn(NumberCases()),
                         testing::CaseName);
INSTANTIATE_TEST_SUITE_P(Others, EvaluateAnswerTest, ::testing::ValuesIn(OtherCases()),
                         testing::CaseName);

TEST(SplitTextAnswersTest, SplitsAtEveryLineBreakWithoutTrailingLine) {
    EXPECT_EQ(SplitTextAnswers("a\r\nb\rc\nd\r\n"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextAnswers("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitTextAnswers(""), std::vector<std::string>{});
    EXPECT_EQ(SplitTextAnswers(" a "), std::vector<std::string>{" a "});
}

} // namespace
} // namespace tevrix

namespace tevrix {
namespace {

TEST(EvaluateAnswerLocaleTest, TrueFalseWordsOfTheRecordStayRussian) {
    const TextLocale ukrainian{
        [](std::string_view text) { return text == "Да" ? std::string("Так") : std::string("Ні"); },
        ','};
    const Evaluation evaluation =
        EvaluateAnswer(testing::VariantTask(TaskKind::tkTrueFalse, {1, 2}),
                       std::vector<int32_t>{0, 1}, ChosenEntriesAnswer{{1, 2}}, ukrainian);
    EXPECT_EQ(evaluation.AnswerText, "1-Да;2-Нет;");
}

} // namespace
} // namespace tevrix
