// SPDX-License-Identifier: GPL-3.0-or-later
// Whole runs through the engine with a scripted pupil: task order, checking,
// skipping and jumping, and the ways a run ends.
#include "rules/Navigation.h"
#include "support/SessionTest.h"

namespace tevrix {
namespace {

using namespace tevrix::testing;

using SessionRunTest = SessionTest;

TEST_F(SessionRunTest, FiveTasksInFileOrderAllRight) {
    m_script.Steps = {AnswerChoice(0), AnswerChoice(0), AnswerChoice(0), AnswerChoice(0),
                      AnswerChoice(0)};
    ScriptedSession& session = Run(NewTest(m_folder.Path()), ChoiceTasks(5, 2));

    std::vector<TranscriptEvent> shown = session.Log().OfKind("task");
    ASSERT_EQ(shown.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(shown[i].Caption, "Вопрос # " + std::to_string(i + 1) + " из 5:");
        EXPECT_EQ(shown[i].Text, "Вопрос " + std::to_string(i + 1));
    }
    const TResultTest& result = Result();
    EXPECT_EQ(result.EndReason, RunEndReason::Finished);
    EXPECT_EQ(result.TaskCount, 5);
    EXPECT_EQ(result.DoneCount, 5);
    EXPECT_EQ(result.RightCount, 5);
    EXPECT_EQ(result.MaxScore, 10);
    EXPECT_DOUBLE_EQ(result.Score, 10);
    EXPECT_EQ(result.Mark, 5);
    EXPECT_EQ(result.UserName, "Иванов Иван");
    EXPECT_EQ(result.UserGroup, "10 А");
    EXPECT_EQ(result.ComputerName, "PC-1");
    EXPECT_EQ(result.TestFileCRC, 0xCAFEBABEu);
    EXPECT_EQ(result.ResultMask, (std::vector<int32_t>{2, 2, 2, 2, 2}));
    EXPECT_EQ(result.AnswerMask, (std::vector<std::string>{"1", "1", "1", "1", "1"}));
    EXPECT_EQ(result.TimeMask, (std::vector<int32_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(session.Engine().State(), ProgramState::TestLoaded);
    EXPECT_EQ(session.Engine().Record(), nullptr);

    EXPECT_EQ(Texts("summary").front(), "Тест \"Проверка\" закончен...");
    const std::string log = ResultLogText();
    EXPECT_NE(log.find("15.01.2025 09:00:00 Запущена программа TevrixStudent.\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("15.01.2025 09:00:00  Начат тест: \"Проверка\"\r\n"), std::string::npos);
    EXPECT_NE(log.find("Тест закончен...\r\n"), std::string::npos);
    EXPECT_NE(log.find("Маска ответов: \"1) 1 2) 1 3) 1 4) 1 5) 1 \".\r\n"), std::string::npos);
}

TEST_F(SessionRunTest, PriceAndProgressOfTheTaskOnScreen) {
    ScriptedSession& session = Open(ChoiceTasks(3, 2));
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.Area().Panel(StatusPanel::Price).Text, "Цена 2 балла");
    EXPECT_EQ(session.Area().ProgressMaximum(), 3);
    EXPECT_EQ(session.Area().ProgressPosition(), 1);
    EXPECT_EQ(session.Area().Panel(StatusPanel::TaskTime).Text, "00:00:00");
    session.Perform(AnswerChoice(1));
    EXPECT_EQ(session.Area().ProgressPosition(), 2);
    EXPECT_EQ(session.Engine().Record()->AnswerMask[0], "2");
    EXPECT_EQ(session.Engine().Record()->ResultMask[0], 0);
}

TEST_F(SessionRunTest, ThemesAskTheirTasksThemeByTheme) {
    // Theme 0: tasks 0, 2, 5; theme 7 (limited to 2): tasks 1, 3, 4, 6.
    TTaskList tasks = ChoiceTasks(7);
    for (int i : {1, 3, 4, 6})
        tasks[i].ThemeKey = 7;
    auto test = NewTest(m_folder.Path());
    test->UseThemes = true;
    test->SetTheme(7, "Семь", "", 2, true);
    test->RecountThemes(tasks);
    m_random = ScriptedRandom(
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ScriptedSession& session = Open(std::move(test), tasks);
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.Engine().Record()->TaskOrder, (std::vector<int32_t>{0, 2, 5, 3, 6}));
    EXPECT_EQ(session.Engine().Record()->TaskCount, 5);
    EXPECT_EQ(session.Engine().Record()->MaxScore, 5);
}

TEST_F(SessionRunTest, RandomOrdersComeFromTheRandomSource) {
    auto test = NewTest(m_folder.Path());
    test->RandomTaskOrder = true;
    test->RandomVariantOrder = true;
    // Every shuffle exchanges the first two entries, then the rest stay.
    m_random = ScriptedRandom({0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    m_script.Steps = {AnswerChoice(0)};
    ScriptedSession& session = Open(std::move(test), ChoiceTasks(3));
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.Engine().Record()->TaskOrder, (std::vector<int32_t>{1, 0, 2}));
    EXPECT_EQ(session.Area().VariantOrder(), (std::vector<int32_t>{1, 0, 2}));
    // The right variant (own number 1) is found in whatever slot shows it.
    session.Perform(AnswerChoice(0));
    EXPECT_EQ(session.Engine().Record()->ResultMask[1], 1);
    EXPECT_EQ(session.Engine().Record()->AnswerMask[1], "1");
}

class SkippingTest : public SessionTest {
protected:
    ScriptedSession& StartSkipping(int count) {
        auto test = NewTest(m_folder.Path());
        test->AllowSkip = true;
        ScriptedSession& session = Open(std::move(test), ChoiceTasks(count));
        EXPECT_TRUE(session.Start());
        return session;
    }
    const TResultTest& Record() { return *m_session->Engine().Record(); }
};

TEST_F(SkippingTest, TaskListAndActionsOfARunThatAllowsSkipping) {
    ScriptedSession& session = StartSkipping(3);
    EXPECT_EQ(session.Area().TaskList(),
              (std::vector<std::string>{"1) Вопрос 1", "2) Вопрос 2", "3) Вопрос 3"}));
    EXPECT_TRUE(session.Area().SkippingShown());
    EXPECT_FALSE(session.Area().IDoNotKnowShown());
    EXPECT_EQ(Record().PositionStates, (std::vector<int32_t>{0, -1, -1}));
    EXPECT_EQ(session.Area().TaskListImages().at(0), TaskListImage::Shown);
}

TEST_F(SkippingTest, SkippingTheLastPositionReturnsToTheFirstUnchecked) {
    ScriptedSession& session = StartSkipping(3);
    session.Perform(Step(ScriptAction::Skip));
    session.Perform(Step(ScriptAction::Skip));
    EXPECT_EQ(Record().CurrentPosition, 2);
    session.Perform(Step(ScriptAction::Skip));
    EXPECT_EQ(Record().CurrentPosition, 0);
    EXPECT_EQ(Record().DoneCount, 1);
    EXPECT_EQ(Record().PositionStates, (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(SkippingTest, OnlyUncheckedTaskIsShownAgainWhenSkipped) {
    ScriptedSession& session = StartSkipping(2);
    session.Perform(AnswerChoice(0));
    EXPECT_EQ(Record().CurrentPosition, 1);
    session.Perform(Step(ScriptAction::Skip));
    EXPECT_EQ(Record().CurrentPosition, 1);
    EXPECT_EQ(Record().DoneCount, 2);
    EXPECT_EQ(session.Log().OfKind("task").size(), 3u);
}

TEST_F(SkippingTest, ChecksMoveToTheNextUncheckedThenWrapRound) {
    ScriptedSession& session = StartSkipping(5);
    // Check 0, skip 1, check 2, skip 3, check 4: positions 1 and 3 are left.
    session.Perform(AnswerChoice(0));
    session.Perform(Step(ScriptAction::Skip));
    session.Perform(AnswerChoice(0));
    session.Perform(Step(ScriptAction::Skip));
    session.Perform(AnswerChoice(0));
    EXPECT_EQ(Record().CurrentPosition, 1);
    session.Perform(Jump(4)); // position 3
    session.Perform(AnswerChoice(0));
    EXPECT_EQ(Record().CurrentPosition, 1);
    session.Perform(AnswerChoice(0));
    EXPECT_EQ(session.Engine().State(), ProgramState::TestLoaded);
    EXPECT_EQ(Result().EndReason, RunEndReason::Finished);
    EXPECT_EQ(Result().DoneCount, 5);
    EXPECT_EQ(Result().RightCount, 5);
}

TEST_F(SkippingTest, JumpingToTheTaskOnScreenOrACheckedOneChangesNothing) {
    ScriptedSession& session = StartSkipping(3);
    session.Perform(AnswerChoice(0));
    const size_t shown = session.Log().OfKind("task").size();
    session.Perform(Jump(2)); // on screen
    session.Perform(Jump(1)); // checked
    session.Perform(Jump(9)); // no such position
    EXPECT_EQ(session.Log().OfKind("task").size(), shown);
    EXPECT_EQ(Record().CurrentPosition, 1);
    EXPECT_EQ(Record().DoneCount, 2);
    session.Perform(Jump(3));
    EXPECT_EQ(Record().CurrentPosition, 2);
    EXPECT_EQ(Record().DoneCount, 2);
    EXPECT_EQ(session.Area().TaskListImages(),
              (std::vector<TaskListImage>{TaskListImage::Checked, TaskListImage::Shown,
                                          TaskListImage::Shown}));
}

TEST_F(SessionRunTest, WithoutSkippingTheSkipCommandsDoNothing) {
    ScriptedSession& session = Open(ChoiceTasks(3));
    ASSERT_TRUE(session.Start());
    EXPECT_FALSE(session.Area().SkippingShown());
    EXPECT_TRUE(session.Area().TaskList().empty());
    session.Perform(Step(ScriptAction::Skip));
    session.Perform(Jump(3));
    session.Perform(Step(ScriptAction::IDoNotKnow)); // needs PenalizeWrong
    EXPECT_EQ(session.Engine().Record()->CurrentPosition, 0);
    EXPECT_EQ(session.Log().OfKind("task").size(), 1u);
    EXPECT_TRUE(session.Engine().Record()->PositionStates.empty());
}

TEST_F(SessionRunTest, StoppingChecksTheTaskOnScreenAsAnAnswer) {
    ScriptStep enter = Step(ScriptAction::Enter);
    enter.Answer.Choice = 0;
    m_script.Steps = {AnswerChoice(1), enter, Step(ScriptAction::Stop)};
    ScriptedSession& session = Run(NewTest(m_folder.Path()), ChoiceTasks(4));
    const TResultTest& result = Result();
    EXPECT_EQ(result.EndReason, RunEndReason::Stopped);
    EXPECT_EQ(result.ResultMask, (std::vector<int32_t>{0, 1, -1, -1}));
    EXPECT_EQ(result.DoneCount, 2);
    EXPECT_EQ(result.NoAnswerCount, 0);
    const std::vector<TranscriptEvent> messages = session.Log().OfKind("message");
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].Caption, "Внимание! Идет тест...");
    EXPECT_EQ(messages[0].Text, "Вы желаете остановить тест?");
    EXPECT_EQ(messages[0].Outcome, "question, Yes");
    EXPECT_EQ(Texts("summary").front(), "Тест \"Проверка\" остановлен...");
}

TEST_F(SessionRunTest, AnsweringNoToStopChangesNothing) {
    ScriptedSession& session = Open(ChoiceTasks(2));
    ASSERT_TRUE(session.Start());
    session.Perform(Step(ScriptAction::Stop, {After(0, MessageReply::No)}));
    EXPECT_EQ(session.Engine().State(), ProgramState::TestRunning);
    EXPECT_EQ(session.Engine().Record()->ResultMask[0], -1);
}

TEST_F(SessionRunTest, ClosingTheProgramCountsTheTaskAsNotAnswered) {
    ScriptStep enter = Step(ScriptAction::Enter);
    enter.Answer.Choice = 0;
    m_script.Steps = {AnswerChoice(0), enter, Step(ScriptAction::Close)};
    ScriptedSession& session = Run(NewTest(m_folder.Path()), ChoiceTasks(3));
    EXPECT_TRUE(session.ProgramClosed());
    EXPECT_EQ(session.Engine().State(), ProgramState::NoTest);
    const TResultTest& result = Result();
    EXPECT_EQ(result.EndReason, RunEndReason::ProgramClosed);
    EXPECT_EQ(result.ResultMask, (std::vector<int32_t>{1, 0, -1}));
    EXPECT_EQ(result.NoAnswerCount, 1);
    EXPECT_EQ(result.AnswerMask[1], "");
    EXPECT_EQ(Texts("summary").front(), "Тест \"Проверка\" прерван - закрыта программа...");
    const std::string log = ResultLogText();
    const size_t block = log.find("Тест прерван - закрыта программа...");
    const size_t closeLine = log.find("Закрыта программа TevrixStudent.");
    ASSERT_NE(block, std::string::npos);
    ASSERT_NE(closeLine, std::string::npos);
    EXPECT_LT(block, closeLine);
}

TEST_F(SessionRunTest, AScriptThatEndsDuringTheRunClosesTheProgram) {
    m_script.Steps = {AnswerChoice(0)};
    ScriptedSession& session = Run(NewTest(m_folder.Path()), ChoiceTasks(3));
    EXPECT_TRUE(session.ProgramClosed());
    EXPECT_EQ(Result().EndReason, RunEndReason::ProgramClosed);
}

TEST_F(SessionRunTest, IDoNotKnowShowsTheRightAnswerAndCountsNoAnswer) {
    auto test = NewTest(m_folder.Path());
    test->PenalizeWrong = true;
    test->ShowCorrectAnswer = true;
    m_script.Steps = {Step(ScriptAction::IDoNotKnow), AnswerChoice(1)};
    ScriptedSession& session = Run(std::move(test), ChoiceTasks(2, 3));
    const TResultTest& result = Result();
    EXPECT_EQ(result.NoAnswerCount, 1);
    EXPECT_EQ(result.WrongCount, 1);
    EXPECT_DOUBLE_EQ(result.Score, -3); // only the wrong answer is penalised
    const std::vector<TranscriptEvent> messages = session.Log().OfKind("message");
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0].Caption, "Tevrix");
    EXPECT_EQ(messages[0].Text, "Неправильно...\r\n");
    EXPECT_EQ(messages[0].Outcome, "information, OK");
    EXPECT_EQ(Texts("right answer").front(), "+ - -");
}

TEST_F(SessionRunTest, ExplanationIsOfferedAndShownOnYes) {
    auto test = NewTest(m_folder.Path());
    test->ShowCorrectAnswer = true;
    TTaskList tasks = ChoiceTasks(2);
    tasks[0].Explanation = Rich("Потому что");
    tasks[1].Explanation = Rich("Так надо");
    m_script.Steps = {AnswerChoice(1, {After(0, MessageReply::Yes)}), AnswerChoice(2)};
    ScriptedSession& session = Run(std::move(test), tasks);
    const std::vector<TranscriptEvent> messages = session.Log().OfKind("message");
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0].Text, "Неправильно...\r\n\r\nПоказать пояснения?");
    EXPECT_EQ(messages[0].Outcome, "information, Yes");
    EXPECT_EQ(messages[1].Outcome, "information, No");
    const std::vector<TranscriptEvent> viewers = session.Log().OfKind("viewer");
    ASSERT_EQ(viewers.size(), 1u);
    EXPECT_EQ(viewers[0].Caption, "Пояснение к ответу");
    EXPECT_EQ(viewers[0].Text, "Потому что");
}

TEST_F(SessionRunTest, IntroductionIsShownWithShowCorrectAnswer) {
    auto test = NewTest(m_folder.Path());
    test->ShowCorrectAnswer = true;
    test->Instruction = Rich("Отвечайте честно");
    TTaskList tasks = ChoiceTasks(1);
    tasks[0].Introduction = Rich("Вступление");
    ScriptedSession& session = Open(std::move(test), tasks);
    ASSERT_TRUE(session.Start());
    const std::vector<TranscriptEvent> viewers = session.Log().OfKind("viewer");
    ASSERT_EQ(viewers.size(), 2u);
    EXPECT_EQ(viewers[0].Caption, "Инструкция к тесту \"Проверка\"");
    EXPECT_EQ(viewers[1].Caption, "Вступление к заданию");
}

TEST_F(SessionRunTest, UnavailableResultWhenTooFewTasksWereDone) {
    auto test = NewTest(m_folder.Path());
    test->MinAnsweredPercent = 30;
    m_script.Steps = {AnswerChoice(0), Step(ScriptAction::Close)};
    Run(std::move(test), ChoiceTasks(10));
    const TResultTest& result = Result();
    EXPECT_EQ(result.DoneCount, 2);
    EXPECT_EQ(result.Mark, -1);
    EXPECT_EQ(result.MarkName, "недоступно...");
    EXPECT_EQ(result.RightCount, -1);
    EXPECT_EQ(result.WrongCount, -1);
    EXPECT_EQ(result.Score, 0);
    EXPECT_EQ(result.ResultMask, std::vector<int32_t>(10, -2));
    EXPECT_NE(ResultLogText().find("Оценка: недоступно....\r\n"), std::string::npos);
}

TEST_F(SessionRunTest, ARunCanBeStartedAgainWithANewRecord) {
    m_script.Steps = {AnswerChoice(0)};
    ScriptedSession& session = Open(ChoiceTasks(1));
    ASSERT_TRUE(session.Start());
    session.Perform(AnswerChoice(0));
    const std::string firstRunId = session.Engine().RunId();
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.Engine().LastResult(), nullptr);
    EXPECT_NE(session.Engine().RunId(), firstRunId);
    EXPECT_EQ(session.Engine().Record()->DoneCount, 1);
    EXPECT_EQ(session.Engine().Record()->RightCount, 0);
}

TEST_F(SessionRunTest, ATestWithoutTasksToAskDoesNotStart) {
    auto test = NewTest(m_folder.Path());
    ScriptedSession& session = Open(std::move(test), TTaskList{});
    EXPECT_FALSE(session.Start());
    ASSERT_EQ(session.Log().OfKind("message").size(), 1u);
    EXPECT_EQ(Texts("message").front(), "В тесте нет заданий для выполнения.");
    EXPECT_EQ(session.Engine().State(), ProgramState::TestLoaded);
}

TEST_F(SessionRunTest, ClosingTheTestLeavesNoTest) {
    ScriptedSession& session = Open(ChoiceTasks(1));
    const std::string tempDir = session.Engine().Test()->TempDir;
    EXPECT_TRUE(std::filesystem::exists(tempDir));
    session.Engine().CloseTest();
    EXPECT_EQ(session.Engine().State(), ProgramState::NoTest);
    EXPECT_EQ(session.Engine().Test(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(tempDir));
    EXPECT_EQ(Texts("idle"), std::vector<std::string>{"Для начала работы выберите тест!..."});
}

} // namespace
} // namespace tevrix
