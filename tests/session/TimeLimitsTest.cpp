// SPDX-License-Identifier: GPL-3.0-or-later
// Task and test time limits, prompts and exclusive mode in whole runs.
#include "support/CaseNames.h"
#include "support/SessionTest.h"

namespace tevrix {
namespace {

using namespace tevrix::testing;

class TimeLimitsTest : public SessionTest {
protected:
    ScriptedSession& StartWith(std::unique_ptr<TTest> test, TTaskList tasks) {
        ScriptedSession& session = Open(std::move(test), std::move(tasks));
        EXPECT_TRUE(session.Start());
        return session;
    }
    ScriptedTaskArea::PanelState Panel(StatusPanel panel) { return m_session->Area().Panel(panel); }
    const TResultTest& Record() { return *m_session->Engine().Record(); }
};

TEST_F(TimeLimitsTest, TaskTimeLimitCountsDownTurnsRedAndChecksAsAnswered) {
    TTaskList tasks = ChoiceTasks(2);
    tasks[0].TimeLimit = 30;
    ScriptedSession& session = StartWith(NewTest(m_folder.Path()), tasks);
    EXPECT_EQ(Panel(StatusPanel::TaskTimeLeft).Text, "00:00:30");
    EXPECT_EQ(Panel(StatusPanel::TaskTimeLeft).Drawing, PanelDrawing::Plain);
    ScriptStep enter = Step(ScriptAction::Enter);
    enter.Answer.Choice = 0;
    session.Perform(enter);
    session.Perform(Wait(20));
    EXPECT_EQ(Panel(StatusPanel::TaskTimeLeft).Text, "00:00:10");
    EXPECT_EQ(Panel(StatusPanel::TaskTimeLeft).Drawing, PanelDrawing::Plain);
    session.Perform(Wait(1));
    EXPECT_EQ(Panel(StatusPanel::TaskTimeLeft).Text, "00:00:09");
    EXPECT_EQ(Panel(StatusPanel::TaskTimeLeft).Drawing, PanelDrawing::Red);
    EXPECT_EQ(Panel(StatusPanel::TaskTime).Text, "00:00:21");
    EXPECT_TRUE(session.Log().OfKind("message").empty());
    session.Perform(Wait(9));
    const std::vector<TranscriptEvent> messages = session.Log().OfKind("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, "Внимание!");
    EXPECT_EQ(messages[0].Text, "Время обдумывания задания вышло!");
    EXPECT_EQ(messages[0].Outcome, "exclamation, OK");
    EXPECT_EQ(Record().ResultMask[0], 1); // what the area held was checked as the answer
    EXPECT_EQ(Record().TimeMask[0], 30);
    EXPECT_EQ(Record().CurrentPosition, 1);
    EXPECT_EQ(Panel(StatusPanel::TaskTimeLeft).Text, ""); // the next task has no limit
}

TEST_F(TimeLimitsTest, SkippedTaskContinuesItsTimeWhenShownAgain) {
    auto test = NewTest(m_folder.Path());
    test->AllowSkip = true;
    TTaskList tasks = ChoiceTasks(2);
    tasks[0].TimeLimit = 30;
    ScriptedSession& session = StartWith(std::move(test), tasks);
    session.Perform(Wait(20));
    session.Perform(Step(ScriptAction::Skip));
    session.Perform(Wait(5));
    session.Perform(Step(ScriptAction::Skip));
    EXPECT_EQ(Record().CurrentPosition, 0);
    EXPECT_EQ(Record().TimeMask[0], 21);
    EXPECT_EQ(Record().TimeMask[1], 5);
    EXPECT_EQ(Panel(StatusPanel::TaskTimeLeft).Text, "00:00:09");
    session.Perform(Wait(8));
    EXPECT_TRUE(session.Log().OfKind("message").empty());
    session.Perform(Wait(1));
    EXPECT_EQ(session.Log().OfKind("message").size(), 1u);
    EXPECT_EQ(Record().ResultMask[0], 0); // nothing entered: wrong
    EXPECT_EQ(Record().CurrentPosition, 1);
}

TEST_F(TimeLimitsTest, TestTimeLimitEndsTheRunAndLeavesSkippedTasksUnchecked) {
    auto test = NewTest(m_folder.Path());
    test->TestTimeLimit = 600;
    test->AllowSkip = true;
    ScriptedSession& session = StartWith(std::move(test), ChoiceTasks(3));
    session.Perform(Step(ScriptAction::Skip));
    ScriptStep enter = Step(ScriptAction::Enter);
    enter.Answer.Choice = 0;
    session.Perform(enter);
    session.Perform(Wait(590));
    EXPECT_EQ(Panel(StatusPanel::TestTimeLeft).Text, "00:00:10");
    EXPECT_EQ(Panel(StatusPanel::TestTimeLeft).Drawing, PanelDrawing::Plain);
    EXPECT_EQ(Panel(StatusPanel::RunTime).Text, "00:09:50");
    session.Perform(Wait(1));
    EXPECT_EQ(Panel(StatusPanel::TestTimeLeft).Drawing, PanelDrawing::Red);
    session.Perform(Wait(9));
    EXPECT_EQ(session.Engine().State(), ProgramState::TestLoaded);
    const TResultTest& result = Result();
    EXPECT_EQ(result.EndReason, RunEndReason::TimeOut);
    EXPECT_EQ(result.Duration, 600);
    EXPECT_EQ(result.ResultMask, (std::vector<int32_t>{-1, 1, -1}));
    const std::vector<TranscriptEvent> messages = session.Log().OfKind("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "Время теста вышло!");
    EXPECT_EQ(Texts("summary").front(), "Тест \"Проверка\" закончен - вышло время...");
}

TEST_F(TimeLimitsTest, DurationCountsTheSecondsOfMessagesToo) {
    auto test = NewTest(m_folder.Path());
    test->ShowCorrectAnswer = true;
    m_script.Steps = {Wait(3), AnswerChoice(1, {After(7)}), Wait(2), AnswerChoice(0)};
    Run(std::move(test), ChoiceTasks(2));
    EXPECT_EQ(Result().Duration, 12);
    EXPECT_EQ(Result().TimeMask, (std::vector<int32_t>{3, 2}));
}

class PromptTest : public TimeLimitsTest {
protected:
    ScriptedSession& StartWithPrompt(int penalty, int points = 5) {
        TTaskList tasks = ChoiceTasks(2, points);
        tasks[0].Prompt = Rich("Подсказка");
        tasks[0].PromptPenalty = penalty;
        return StartWith(NewTest(m_folder.Path()), tasks);
    }
};

TEST_F(PromptTest, PromptWithoutPenaltyOpensAtOnceAndCountsAtTheCheck) {
    ScriptedSession& session = StartWithPrompt(0);
    session.Perform(Step(ScriptAction::Prompt));
    EXPECT_TRUE(session.Log().OfKind("message").empty());
    const std::vector<TranscriptEvent> viewers = session.Log().OfKind("viewer");
    ASSERT_EQ(viewers.size(), 1u);
    EXPECT_EQ(viewers[0].Caption, "Подсказка к заданию...");
    EXPECT_EQ(viewers[0].Text, "Подсказка");
    EXPECT_EQ(Record().PenaltyMask[0], 0);
    EXPECT_EQ(Record().PromptCount, 0);
    session.Perform(AnswerChoice(0));
    EXPECT_EQ(Record().PromptCount, 1);
    EXPECT_DOUBLE_EQ(Record().Score, 5);
}

TEST_F(PromptTest, PenaltyIsAskedOnceAndTakenOnceAtTheCheck) {
    ScriptedSession& session = StartWithPrompt(3);
    session.Perform(Step(ScriptAction::Prompt, {After(0, MessageReply::No)}));
    EXPECT_EQ(Record().PenaltyMask[0], -1);
    EXPECT_TRUE(session.Log().OfKind("viewer").empty());
    session.Perform(Step(ScriptAction::Prompt));
    session.Perform(Step(ScriptAction::Prompt));
    const std::vector<TranscriptEvent> messages = session.Log().OfKind("message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Caption, "Tevrix");
    EXPECT_EQ(messages[1].Text, "Показать подсказку?\r\nШтраф 3 балла.");
    EXPECT_EQ(messages[1].Outcome, "question, Yes");
    EXPECT_EQ(session.Log().OfKind("viewer").size(), 2u);
    EXPECT_EQ(Record().PenaltyMask[0], 3);
    session.Perform(AnswerChoice(0));
    EXPECT_EQ(Record().PromptCount, 1);
    EXPECT_DOUBLE_EQ(Record().Score, 2);
}

TEST_F(PromptTest, PromptOfATaskNeverCheckedCostsNothing) {
    auto test = NewTest(m_folder.Path());
    test->AllowSkip = true;
    TTaskList tasks = ChoiceTasks(3, 4);
    tasks[0].Prompt = Rich("Подсказка");
    tasks[0].PromptPenalty = 2;
    ScriptStep enter = Step(ScriptAction::Enter);
    enter.Answer.Choice = 0;
    m_script.Steps = {Step(ScriptAction::Prompt), Step(ScriptAction::Skip), AnswerChoice(0), enter,
                      Step(ScriptAction::Stop)};
    Run(std::move(test), tasks);
    EXPECT_EQ(Result().PenaltyMask[0], 2);
    EXPECT_EQ(Result().ResultMask[0], -1);
    EXPECT_EQ(Result().PromptCount, 0);
    EXPECT_DOUBLE_EQ(Result().Score, 8);
}

struct CaptionCase {
    int Penalty;
    std::optional<std::string> Caption;
};

class PromptCaptionTest : public PromptTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(PromptCaptionTest, PromptButtonNamesThePenalty) {
    ScriptedSession& session = StartWithPrompt(GetParam().Penalty);
    EXPECT_EQ(session.Area().PromptCaption(), GetParam().Caption);
}

INSTANTIATE_TEST_SUITE_P(Penalties, PromptCaptionTest,
                         ::testing::Values(CaptionCase{0, "Показать подсказку?"},
                                           CaptionCase{-1, "Показать подсказку?"},
                                           CaptionCase{1, "Показать подсказку? Штраф 1 балл."},
                                           CaptionCase{5, "Показать подсказку? Штраф 5 баллов."}),
                         testing::CaseName);

TEST_F(PromptTest, TaskWithoutPromptHasNoButtonAndNoPrompt) {
    ScriptedSession& session = StartWith(NewTest(m_folder.Path()), ChoiceTasks(1));
    EXPECT_EQ(session.Area().PromptCaption(), std::nullopt);
    session.Perform(Step(ScriptAction::Prompt));
    EXPECT_TRUE(session.Log().OfKind("viewer").empty());
}

TEST_F(TimeLimitsTest, ExclusiveModeHoldsTheScreenForTheWholeRun) {
    auto test = NewTest(m_folder.Path());
    test->ExclusiveMode = true;
    ScriptedSession& session = StartWith(std::move(test), ChoiceTasks(1));
    EXPECT_TRUE(session.Area().CoversScreen());
    EXPECT_TRUE(session.Time().IsRunning(SessionTimer::TimerModeMono));
    session.Perform(Wait(2));
    EXPECT_EQ(session.Area().HoldTicks(), 20);
    session.Perform(AnswerChoice(0));
    EXPECT_FALSE(session.Area().CoversScreen());
    EXPECT_FALSE(session.Time().IsRunning(SessionTimer::TimerModeMono));
    const std::vector<TranscriptEvent> events = session.Log().Events();
    // Entered right after the first task was shown, left after the outputs.
    const auto at = [&](const std::string& kind, const std::string& outcome) {
        for (size_t i = 0; i < events.size(); ++i)
            if (events[i].Kind == kind && events[i].Outcome == outcome)
                return i;
        return events.size();
    };
    EXPECT_LT(at("task", ""), at("exclusive mode", "entered"));
    EXPECT_LT(at("result window", ""), at("exclusive mode", "left"));
}

} // namespace
} // namespace tevrix
