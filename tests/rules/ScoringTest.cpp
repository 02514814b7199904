// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Scoring.h"
#include "support/CaseNames.h"
#include "support/TaskBuilders.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using namespace tevrix::testing;

Evaluation Verdict(bool allRight, int right, int wrong, std::string text = "t") {
    Evaluation evaluation;
    evaluation.AllRight = allRight;
    evaluation.RightParts = right;
    evaluation.WrongParts = wrong;
    evaluation.AnswerText = std::move(text);
    return evaluation;
}

struct ScoreCase {
    std::string Name;
    bool WholeAnswerOnly;
    bool PenalizeWrong;
    TaskKind Kind;
    int Points;
    int PromptPenalty; // -1: prompt not viewed
    std::optional<Evaluation> Check;
    double Score;
    int ResultMask;
    int Right;
    int Wrong;
    int NoAnswer;
    int Prompts;
};

void PrintTo(const ScoreCase& c, std::ostream* out) {
    *out << c.Name;
}

class ScoreCheckTest : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(ScoreCheckTest, UpdatesTheRecord) {
    const ScoreCase& c = GetParam();
    TTest test(::testing::TempDir());
    test.WholeAnswerOnly = c.WholeAnswerOnly;
    test.PenalizeWrong = c.PenalizeWrong;
    TTask task;
    task.Kind = c.Kind;
    task.Points = c.Points;
    TResultTest record = TResultTest::Create(3);
    record.SetPenaltyMask(1, c.PromptPenalty);

    ScoreCheck(record, test, task, 1, c.Check);

    EXPECT_DOUBLE_EQ(record.Score, c.Score);
    EXPECT_EQ(record.ResultMask, (std::vector<int32_t>{-1, c.ResultMask, -1}));
    EXPECT_EQ(record.RightCount, c.Right);
    EXPECT_EQ(record.WrongCount, c.Wrong);
    EXPECT_EQ(record.NoAnswerCount, c.NoAnswer);
    EXPECT_EQ(record.PromptCount, c.Prompts);
    EXPECT_EQ(record.AskedMaxScore, c.Points);
    EXPECT_EQ(record.AnswerMask[1], c.Check ? c.Check->AnswerText : "");
    EXPECT_EQ(record.PenaltyMask[1], c.PromptPenalty); // kept as it was
}

TEST(ScoreCheckLimitsTest, AskedMaxScoreStaysWithinInt32) {
    TTest test(::testing::TempDir());
    TTask task;
    task.Kind = TaskKind::tkSingleChoice;
    TResultTest record = TResultTest::Create(3);
    for (const int32_t points : {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MIN}) {
        task.Points = points;
        ScoreCheck(record, test, task, 0, std::nullopt);
    }
    // Up to INT32_MAX and held there, down to -1, then held at INT32_MIN.
    EXPECT_EQ(record.AskedMaxScore, INT32_MIN);
    task.Points = 5;
    ScoreCheck(record, test, task, 0, std::nullopt);
    EXPECT_EQ(record.AskedMaxScore, INT32_MIN + 5);
}

const auto kMultiple = TaskKind::tkMultipleChoice;
const auto kSingle = TaskKind::tkSingleChoice;

INSTANTIATE_TEST_SUITE_P(
    Cases, ScoreCheckTest,
    ::testing::Values(
        ScoreCase{"right", true, false, kSingle, 3, -1, Verdict(true, 0, 0), 3, 3, 1, 0, 0, 0},
        ScoreCase{"wrong_whole_answer_only", true, false, kSingle, 3, -1, Verdict(false, 0, 0), 0,
                  0, 0, 1, 0, 0},
        ScoreCase{"wrong_penalized", true, true, kSingle, 3, -1, Verdict(false, 0, 0), -3, 0, 0, 1,
                  0, 0},
        // Right variants 1 and 3 of 4, ticked 1 and 2; Points 4.
        ScoreCase{"partial_credit", false, false, kMultiple, 4, -1, Verdict(false, 2, 2), 2, 0, 0,
                  1, 0, 0},
        ScoreCase{"partial_credit_penalized", false, true, kMultiple, 4, -1, Verdict(false, 2, 2),
                  0, 0, 0, 1, 0, 0},
        ScoreCase{"partial_credit_thirds", false, false, TaskKind::tkNumberInput, 1, -1,
                  Verdict(false, 1, 2), 1.0 / 3, 0, 0, 1, 0, 0},
        // True/false with only answered variants counted: all of them right.
        ScoreCase{"partial_credit_all_answered_parts_right", false, false, TaskKind::tkTrueFalse, 5,
                  -1, Verdict(false, 2, 0), 5, 0, 0, 1, 0, 0},
        ScoreCase{"partial_credit_without_parts", false, true, TaskKind::tkTrueFalse, 5, -1,
                  Verdict(false, 0, 0), 0, 0, 0, 1, 0, 0},
        // Kinds 1 and 7 to 9 never earn a share.
        ScoreCase{"no_partial_credit_for_kind_1", false, true, kSingle, 2, -1, Verdict(false, 1, 1),
                  -2, 0, 0, 1, 0, 0},
        ScoreCase{"no_partial_credit_for_kind_7", false, false, TaskKind::tkTextInput, 2, -1,
                  Verdict(false, 1, 1), 0, 0, 0, 1, 0, 0},
        // A prompt with penalty 2 viewed, then answered right with Points 3.
        ScoreCase{"prompt_penalty", true, false, kSingle, 3, 2, Verdict(true, 0, 0), 1, 3, 1, 0, 0,
                  1},
        ScoreCase{"prompt_without_penalty_still_counts", true, false, kSingle, 3, 0,
                  Verdict(false, 0, 0), 0, 0, 0, 1, 0, 1},
        // "Я не знаю..." with PenalizeWrong: no subtraction for the answer.
        ScoreCase{"no_answer", true, true, kSingle, 3, -1, std::nullopt, 0, 0, 0, 0, 1, 0},
        ScoreCase{"no_answer_keeps_prompt_penalty", true, true, kSingle, 3, 1, std::nullopt, -1, 0,
                  0, 0, 1, 1},
        ScoreCase{"points_zero_right", true, false, kSingle, 0, -1, Verdict(true, 0, 0), 0, 0, 1, 0,
                  0, 0}),
    testing::CaseName);

} // namespace
} // namespace tevrix
