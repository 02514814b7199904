// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/EndSummary.h"
#include "support/CaseNames.h"
#include "support/ResultRecords.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using testing::SampleRecord;
constexpr auto N = SummaryStyle::Normal;
constexpr auto B = SummaryStyle::Bold;
constexpr auto R = SummaryStyle::BoldRed;

const TextLocale kComma{{}, ','};

TResultTest StoppedRun() {
    TResultTest record = SampleRecord();
    record.TaskCount = 4;
    record.NoAnswerCount = 1;
    record.MaxScore = 4;
    return record;
}

TEST(EndSummary, ShowsThePupilEveryFigure) {
    const std::vector<SummaryLine> expected = {
        {"Тест \"Дроби\" остановлен...", B},
        {"Всего заданий в тесте: 4. Вами выполнено заданий: 2.", N},
        {"Из них правильно: 1 (50,0% выполненых заданий).", N},
        {"Из них ошибок: 1 (50,0% выполненых заданий).", N},
        {"Пропущено: 1 (25,0% всех заданий).", N},
        {"Результативность: 25,0%.", N},
        {"Использовано подсказок: 1.", N},
        {"Набрано баллов: 1,5 из 4 возможных. Ваш результат: 37,5%.", B},
        {"Оценка: хорошо.", R},
        {"Время начала: 09:15:00.", N},
        {"Время завершения: 09:27:41.", N},
        {"Продолжительность: 00:12:41.", N},
    };
    EXPECT_EQ(BuildEndSummary(StoppedRun(), "Дроби", true, kComma), expected);
}

TEST(EndSummary, LeavesOutSkippedAndPromptLinesWhenThereAreNone) {
    TResultTest record = StoppedRun();
    record.NoAnswerCount = 0;
    record.PromptCount = 0;
    record.MarkName.clear();
    const std::vector<SummaryLine> lines = BuildEndSummary(record, "Дроби", true, kComma);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[4].Text, "Результативность: 25,0%.");
    EXPECT_EQ(lines[5].Text, "Набрано баллов: 1,5 из 4 возможных. Ваш результат: 37,5%.");
    EXPECT_EQ(lines[6], (SummaryLine{"Оценка: 4.", R}));
}

TEST(EndSummary, WithoutTheResultShownPointsToTheTeacher) {
    const std::vector<SummaryLine> expected = {
        {"Тест \"Дроби\" остановлен...", B},
        {"Всего заданий в тесте: 4. Вами выполнено заданий: 2.", N},
        {"Результаты тестирования Вы можете узнать у руководителя.", R},
        {"Время начала: 09:15:00.", N},
        {"Время завершения: 09:27:41.", N},
        {"Продолжительность: 00:12:41.", N},
    };
    EXPECT_EQ(BuildEndSummary(StoppedRun(), "Дроби", false, kComma), expected);
}

struct TitleCase {
    RunEndReason Reason;
    const char* Title; // nullptr: no title line
};

class SummaryTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(SummaryTitle, SaysHowTheRunEnded) {
    TResultTest record = StoppedRun();
    record.EndReason = GetParam().Reason;
    const std::vector<SummaryLine> lines = BuildEndSummary(record, "Дроби", false, kComma);
    if (GetParam().Title) {
        EXPECT_EQ(lines.front(), (SummaryLine{GetParam().Title, B}));
        EXPECT_EQ(lines.size(), 6u);
    } else {
        EXPECT_EQ(lines.front().Text, "Всего заданий в тесте: 4. Вами выполнено заданий: 2.");
        EXPECT_EQ(lines.size(), 5u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EndReasons, SummaryTitle,
    ::testing::Values(TitleCase{RunEndReason::Finished, "Тест \"Дроби\" закончен..."},
                      TitleCase{RunEndReason::Stopped, "Тест \"Дроби\" остановлен..."},
                      TitleCase{RunEndReason::TimeOut, "Тест \"Дроби\" закончен - вышло время..."},
                      TitleCase{RunEndReason::ProgramClosed,
                                "Тест \"Дроби\" прерван - закрыта программа..."},
                      TitleCase{RunEndReason::Running, nullptr},
                      TitleCase{static_cast<RunEndReason>(9), nullptr}),
    testing::CaseName);

TEST(EndSummary, AnUnavailableResultShowsItsNegativeCounts) {
    TResultTest record = StoppedRun();
    record.RightCount = -1;
    record.WrongCount = -1;
    record.Score = 0;
    record.Mark = -1;
    record.MarkName = "недоступно...";
    const std::vector<SummaryLine> lines = BuildEndSummary(record, "Дроби", true, kComma);
    EXPECT_EQ(lines[2].Text, "Из них правильно: -1 (-50,0% выполненых заданий).");
    EXPECT_EQ(lines[3].Text, "Из них ошибок: -1 (-50,0% выполненых заданий).");
    EXPECT_EQ(lines[5].Text, "Результативность: -25,0%.");
    EXPECT_EQ(lines[7].Text, "Набрано баллов: 0,0 из 4 возможных. Ваш результат: 0,0%.");
    EXPECT_EQ(lines[8].Text, "Оценка: недоступно....");
}

TEST(EndSummary, PassesEveryTextThroughTheTranslation) {
    const TextLocale marked{[](std::string_view text) { return "~" + std::string(text); }, '.'};
    for (const bool showResult : {true, false})
        for (const SummaryLine& line : BuildEndSummary(StoppedRun(), "Дроби", showResult, marked))
            EXPECT_EQ(line.Text.substr(0, 1), "~") << line.Text;
}

} // namespace
} // namespace tevrix
