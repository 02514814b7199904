// SPDX-License-Identifier: GPL-3.0-or-later
// Timer ticks that arrive while a modal window of the engine is open: the
// scripted pupil keeps message boxes and viewers open for some seconds, and
// the timers tick inside them as they do in the real window.
#include "support/SessionTest.h"

namespace tevrix {
namespace {

using namespace tevrix::testing;

class ReentrancyTest : public SessionTest {
protected:
    int Count(const std::string& kind, const std::string& text) const {
        int count = 0;
        for (const TranscriptEvent& event : m_session->Log().OfKind(kind))
            count += event.Text == text;
        return count;
    }
    int TestTimeOutMessages() const { return Count("message", "Время теста вышло!"); }
    int TaskTimeOutMessages() const { return Count("message", "Время обдумывания задания вышло!"); }
    int Summaries() const {
        return Count("summary", "Всего заданий в тесте: 2. Вами выполнено заданий: 1.");
    }
    static int Checked(const TResultTest& result) {
        return result.RightCount + result.WrongCount + result.NoAnswerCount;
    }
};

TEST_F(ReentrancyTest, TestTimeOutDuringTheWrongAnswerMessageEndsTheRunOnce) {
    auto test = NewTest(m_folder.Path());
    test->ShowCorrectAnswer = true;
    test->TestTimeLimit = 10;
    m_script.Steps = {Wait(5), AnswerChoice(1, {After(10)}), AnswerChoice(0)};
    ScriptedSession& session = Run(std::move(test), ChoiceTasks(2));
    const TResultTest& result = Result();
    EXPECT_EQ(result.EndReason, RunEndReason::TimeOut);
    EXPECT_EQ(Checked(result), 1);
    EXPECT_EQ(result.ResultMask, (std::vector<int32_t>{0, -1}));
    EXPECT_EQ(result.DoneCount, 1);
    EXPECT_EQ(result.Duration, 10);
    EXPECT_EQ(session.Log().OfKind("task").size(), 1u); // the next task never came
    EXPECT_EQ(TestTimeOutMessages(), 1);
    EXPECT_EQ(Summaries(), 1);
    EXPECT_FALSE(session.Engine().Busy());
}

TEST_F(ReentrancyTest, TestTimeOutDuringTheLastCheckStillEndsAsATimeOut) {
    auto test = NewTest(m_folder.Path());
    test->ShowCorrectAnswer = true;
    test->TestTimeLimit = 4;
    m_script.Steps = {AnswerChoice(1, {After(9)})};
    Run(std::move(test), ChoiceTasks(1));
    EXPECT_EQ(Result().EndReason, RunEndReason::TimeOut);
    EXPECT_EQ(Checked(Result()), 1);
    EXPECT_EQ(TestTimeOutMessages(), 1);
}

TEST_F(ReentrancyTest, TaskTimeOutDuringTheIntroductionWaitsForTheViewer) {
    auto test = NewTest(m_folder.Path());
    test->ShowCorrectAnswer = true;
    TTaskList tasks = ChoiceTasks(2);
    tasks[0].Introduction = Rich("Вступление");
    tasks[0].TimeLimit = 5;
    m_script.StartReplies = {After(0), After(8)}; // identification, introduction
    ScriptedSession& session = Open(std::move(test), tasks);
    ASSERT_TRUE(session.Start());
    const TResultTest& record = *session.Engine().Record();
    EXPECT_EQ(TaskTimeOutMessages(), 1);
    EXPECT_EQ(record.TimeMask[0], 5); // the task's seconds stop at its limit
    EXPECT_EQ(record.Duration, 8);
    EXPECT_EQ(record.ResultMask[0], 0);
    EXPECT_EQ(record.CurrentPosition, 1);
    EXPECT_EQ(Checked(record), 1);
}

TEST_F(ReentrancyTest, BothLimitsAtTheSameSecondCheckTheTaskOnce) {
    auto test = NewTest(m_folder.Path());
    test->TestTimeLimit = 5;
    TTaskList tasks = ChoiceTasks(2);
    tasks[0].TimeLimit = 5;
    m_script.Steps = {Wait(5)};
    Run(std::move(test), tasks);
    EXPECT_EQ(Result().EndReason, RunEndReason::TimeOut);
    EXPECT_EQ(Checked(Result()), 1);
    EXPECT_EQ(TestTimeOutMessages(), 1);
    EXPECT_EQ(TaskTimeOutMessages(), 0);
}

TEST_F(ReentrancyTest, TaskTimeOutMessageOutlastingTheTestLimitEndsTheRunOnce) {
    auto test = NewTest(m_folder.Path());
    test->TestTimeLimit = 8;
    TTaskList tasks = ChoiceTasks(2);
    tasks[0].TimeLimit = 3;
    m_script.Steps = {Step(ScriptAction::Wait, {After(10)})};
    m_script.Steps[0].Seconds = 3;
    Run(std::move(test), tasks);
    EXPECT_EQ(Result().EndReason, RunEndReason::TimeOut);
    EXPECT_EQ(Checked(Result()), 1);
    EXPECT_EQ(Result().ResultMask, (std::vector<int32_t>{0, -1}));
    EXPECT_EQ(TaskTimeOutMessages(), 1);
    EXPECT_EQ(TestTimeOutMessages(), 1);
}

TEST_F(ReentrancyTest, TaskTimeOutDuringTheStopQuestionYieldsToTheStop) {
    TTaskList tasks = ChoiceTasks(2);
    tasks[0].TimeLimit = 5;
    m_script.Steps = {Step(ScriptAction::Stop, {After(10)})};
    Run(NewTest(m_folder.Path()), tasks);
    EXPECT_EQ(Result().EndReason, RunEndReason::Stopped);
    EXPECT_EQ(Checked(Result()), 1);
    EXPECT_EQ(TaskTimeOutMessages(), 0);
}

TEST_F(ReentrancyTest, TestTimeOutDuringTheStopQuestionWins) {
    auto test = NewTest(m_folder.Path());
    test->TestTimeLimit = 5;
    m_script.Steps = {Step(ScriptAction::Stop, {After(10)})};
    Run(std::move(test), ChoiceTasks(2));
    EXPECT_EQ(Result().EndReason, RunEndReason::TimeOut);
    EXPECT_EQ(Result().WrongCount, 1); // checked as an answer, not closed without one
    EXPECT_EQ(Checked(Result()), 1);
    EXPECT_EQ(TestTimeOutMessages(), 1);
}

TEST_F(ReentrancyTest, TestTimeOutDuringTheCloseQuestionStillClosesTheProgram) {
    auto test = NewTest(m_folder.Path());
    test->TestTimeLimit = 5;
    m_script.Steps = {Step(ScriptAction::Close, {After(10)})};
    ScriptedSession& session = Run(std::move(test), ChoiceTasks(2));
    EXPECT_TRUE(session.ProgramClosed());
    EXPECT_EQ(Result().EndReason, RunEndReason::TimeOut);
    EXPECT_EQ(Checked(Result()), 1);
    EXPECT_EQ(Summaries(), 1);
}

TEST_F(ReentrancyTest, CommandsArrivingDuringAMessageAreIgnored) {
    auto test = NewTest(m_folder.Path());
    test->ShowCorrectAnswer = true;
    test->AllowSkip = true;
    test->PenalizeWrong = true;
    ScriptedSession& session = Open(std::move(test), ChoiceTasks(3));
    ASSERT_TRUE(session.Start());
    SessionEngine& engine = session.Engine();
    int busyTicks = 0;
    session.Time().SetTickHandler([&](SessionTimer timer) {
        if (timer == SessionTimer::TimerTest)
            engine.TestTimerTick();
        if (!engine.Busy())
            return;
        ++busyTicks;
        engine.CheckTask();
        engine.DoNotKnow();
        engine.SkipTask();
        engine.GoToPosition(2);
        engine.EndTest();
        engine.ViewPrompt();
        engine.BeginTest();
        EXPECT_FALSE(engine.CloseProgram());
    });
    session.Perform(AnswerChoice(1, {After(3)}));
    EXPECT_EQ(busyTicks, 3);
    const TResultTest& record = *engine.Record();
    EXPECT_EQ(Checked(record), 1);
    EXPECT_EQ(record.CurrentPosition, 1);
    EXPECT_EQ(record.DoneCount, 2);
    EXPECT_EQ(record.Duration, 3);
    EXPECT_EQ(session.Log().OfKind("message").size(), 1u);
    EXPECT_EQ(engine.State(), ProgramState::TestRunning);
}

} // namespace
} // namespace tevrix
