// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultFigures.h"
#include "text/DateTime.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tevrix {
namespace {

TEST(ResultFigures, AreSharesOfTheirCounts) {
    TResultTest record;
    record.TaskCount = 10;
    record.DoneCount = 8;
    record.RightCount = 6;
    record.WrongCount = 2;
    record.NoAnswerCount = 1;
    record.MaxScore = 20;
    record.Score = 13;
    const ResultFigures figures = ResultFigures::Of(record);
    EXPECT_DOUBLE_EQ(figures.ShareRight, 75);
    EXPECT_DOUBLE_EQ(figures.ShareWrong, 25);
    EXPECT_DOUBLE_EQ(figures.ShareNoAnswer, 10);
    EXPECT_DOUBLE_EQ(figures.Effectiveness, 60);
    EXPECT_DOUBLE_EQ(figures.Result, 65);
}

TEST(ResultFigures, AZeroDivisorGivesZeroNeverNaN) {
    TResultTest record;
    record.RightCount = 3;
    record.WrongCount = 2;
    record.NoAnswerCount = 1;
    record.Score = 5;
    const ResultFigures figures = ResultFigures::Of(record);
    for (const double share : {figures.ShareRight, figures.ShareWrong, figures.ShareNoAnswer,
                               figures.Effectiveness, figures.Result}) {
        EXPECT_FALSE(std::isnan(share));
        EXPECT_EQ(share, 0);
    }
}

TEST(ResultFigures, AnUnavailableResultGivesNegativeShares) {
    TResultTest record;
    record.TaskCount = 10;
    record.DoneCount = 2;
    record.RightCount = -1;
    record.WrongCount = -1;
    const ResultFigures figures = ResultFigures::Of(record);
    EXPECT_DOUBLE_EQ(figures.ShareRight, -50);
    EXPECT_DOUBLE_EQ(figures.ShareWrong, -50);
    EXPECT_DOUBLE_EQ(figures.Effectiveness, -10);
}

TEST(ResultFigures, ShowsTheMarkByNameElseByValue) {
    TResultTest record;
    record.Mark = 4;
    EXPECT_EQ(ResultFigures::Of(record).MarkText, "4");
    record.MarkName = "хорошо";
    EXPECT_EQ(ResultFigures::Of(record).MarkText, "хорошо");
}

TEST(ResultFigures, ShowTimesOfDayAndTheDuration) {
    TResultTest record;
    record.TimeBegin = EncodeOleDate({2024, 3, 5, 9, 5, 7, 0});
    record.TimeEnd = EncodeOleDate({2024, 3, 5, 23, 59, 59, 0});
    record.Duration = 3 * 3600 + 25 * 60 + 9;
    const ResultFigures figures = ResultFigures::Of(record);
    EXPECT_EQ(figures.TimeBeginText, "09:05:07");
    EXPECT_EQ(figures.TimeEndText, "23:59:59");
    EXPECT_EQ(figures.DurationText, "03:25:09");
}

} // namespace
} // namespace tevrix
