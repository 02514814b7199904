// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Grading.h"
#include "results/ResultMessage.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

constexpr double kNow = 45356.5;

// The criteria a new test carries: 1 at 0 %, 2 at 0 %, 3 at 50 %, 4 at 70 %,
// 5 at 85 %.
const std::vector<TMark> kNewTestMarks = {
    {1, 0, "1"}, {2, 0, "2"}, {3, 50, "3"}, {4, 70, "4"}, {5, 85, "5"}};
const std::vector<TMark> kDescendingMarks = {
    {5, 85, "отлично"}, {4, 70, "хорошо"}, {3, 50, "удовл."}};

struct MarkCase {
    std::vector<TMark> Marks;
    double Score;
    int32_t MaxScore;
    int32_t ExpectedMark;
    const char* ExpectedName;
};

class MarkByLastCriterion : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkByLastCriterion, GivesTheLastCriterionReached) {
    const MarkCase& c = GetParam();
    TResultTest record = TResultTest::Create(10);
    record.TaskCount = 10;
    record.DoneCount = 10;
    record.Score = c.Score;
    record.MaxScore = c.MaxScore;
    GradeResult(record, c.Marks, 0, kNow, kUnavailableMarkName);
    EXPECT_EQ(record.Mark, c.ExpectedMark);
    EXPECT_EQ(record.MarkName, c.ExpectedName);
    EXPECT_EQ(record.MarkCount, static_cast<int32_t>(c.Marks.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, MarkByLastCriterion,
    ::testing::Values(
        MarkCase{kNewTestMarks, 0, 10, 2, "2"}, MarkCase{kNewTestMarks, 4.9, 10, 2, "2"},
        MarkCase{kNewTestMarks, 5, 10, 3, "3"}, MarkCase{kNewTestMarks, 7, 10, 4, "4"},
        MarkCase{kNewTestMarks, 8.5, 10, 5, "5"}, MarkCase{kNewTestMarks, 10, 10, 5, "5"},
        MarkCase{kNewTestMarks, -1, 10, 0, ""},
        // Descending thresholds: 90 % reaches all three, the last wins.
        MarkCase{kDescendingMarks, 9, 10, 3, "удовл."}, MarkCase{kDescendingMarks, 4, 10, 0, ""},
        MarkCase{{}, 10, 10, 0, ""},
        // No points to gain counts as 0 %.
        MarkCase{kNewTestMarks, 0, 0, 2, "2"}, MarkCase{kNewTestMarks, 3, 0, 2, "2"}),
    testing::CaseName);

TEST(Grading, SetsTheEndTime) {
    TResultTest record = TResultTest::Create(1);
    GradeResult(record, kNewTestMarks, 0, kNow, kUnavailableMarkName);
    EXPECT_EQ(record.TimeEnd, kNow);
    EXPECT_EQ(record.ResultDate, kNow);
}

TEST(Grading, TooFewTasksSeenMakesTheResultUnavailable) {
    // Closed after seeing 2 tasks of 10 with MinAnsweredPercent 30.
    TResultTest record = TResultTest::Create(12);
    record.TaskCount = 10;
    record.DoneCount = 2;
    record.RightCount = 1;
    record.WrongCount = 0;
    record.NoAnswerCount = 1;
    record.PromptCount = 1;
    record.MaxScore = 10;
    record.Score = 2;
    record.SetResultMask(0, 2);
    record.SetResultMask(1, 0);
    record.SetTimeMask(0, 30);
    record.SetAnswer(0, "1");
    record.SetPenaltyMask(0, 1);
    GradeResult(record, kNewTestMarks, 30, kNow, "недоступно...");

    EXPECT_EQ(record.Mark, -1);
    EXPECT_EQ(record.MarkName, "недоступно...");
    EXPECT_EQ(record.RightCount, -1);
    EXPECT_EQ(record.WrongCount, -1);
    EXPECT_EQ(record.Score, 0);
    EXPECT_EQ(record.ResultMask, std::vector<int32_t>(12, -2)); // every task of the test
    EXPECT_EQ(record.ResultMaskText(),
              "1) ? 2) ? 3) ? 4) ? 5) ? 6) ? 7) ? 8) ? 9) ? 10) ? 11) ? 12) ? ");
    // What the pupil did stays on record.
    EXPECT_EQ(record.DoneCount, 2);
    EXPECT_EQ(record.NoAnswerCount, 1);
    EXPECT_EQ(record.PromptCount, 1);
    EXPECT_EQ(record.GetTimeMask(0), 30);
    EXPECT_EQ(record.AnswerMask[0], "1");
    EXPECT_EQ(record.GetPenaltyMask(0), 1);
    EXPECT_EQ(record.MarkCount, 5);
}

struct AvailabilityCase {
    int32_t TaskCount;
    int32_t DoneCount;
    int32_t MinAnsweredPercent;
    bool Available;
};

class Availability : public ::testing::TestWithParam<AvailabilityCase> {};

TEST_P(Availability, NeedsTheMinimumShareOfTasksDone) {
    const AvailabilityCase& c = GetParam();
    TResultTest record = TResultTest::Create(c.TaskCount);
    record.TaskCount = c.TaskCount;
    record.DoneCount = c.DoneCount;
    GradeResult(record, kNewTestMarks, c.MinAnsweredPercent, kNow, kUnavailableMarkName);
    EXPECT_EQ(record.Mark != -1, c.Available);
}

INSTANTIATE_TEST_SUITE_P(Shares, Availability,
                         ::testing::Values(AvailabilityCase{10, 3, 30, true}, // exactly reached
                                           AvailabilityCase{10, 2, 30, false},
                                           AvailabilityCase{3, 1, 34, false}, // 33.3 %
                                           AvailabilityCase{3, 1, 33, true},
                                           AvailabilityCase{10, 0, 0, true},
                                           // A run without tasks has done 0 %.
                                           AvailabilityCase{0, 0, 0, true},
                                           AvailabilityCase{0, 0, 1, false}),
                         testing::CaseName);

} // namespace
} // namespace tevrix
