// SPDX-License-Identifier: GPL-3.0-or-later
// What stands before a run: start password, identification, the run limit.
#include "support/SessionTest.h"

namespace tevrix {
namespace {

using namespace tevrix::testing;

class StartRunTest : public SessionTest {
protected:
    bool TryStart(std::unique_ptr<TTest> test) {
        ScriptedSession& session = Open(std::move(test), ChoiceTasks(2));
        return session.Start();
    }
    std::unique_ptr<TTest> WithPassword(const std::string& password) {
        auto test = NewTest(m_folder.Path());
        test->StartPassword = password;
        return test;
    }
};

TEST_F(StartRunTest, RightPasswordStartsTheRun) {
    m_script.Password = "Секрет";
    EXPECT_TRUE(TryStart(WithPassword("Секрет")));
}

TEST_F(StartRunTest, WrongPasswordIsRefusedWithAMessage) {
    m_script.Password = "секрет";
    EXPECT_FALSE(TryStart(WithPassword("Секрет")));
    const std::vector<TranscriptEvent> messages = m_session->Log().OfKind("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "Неверный пароль!");
    EXPECT_EQ(messages[0].Caption, "Ошибка!");
    EXPECT_EQ(messages[0].Outcome, "error, OK");
    EXPECT_EQ(m_session->Engine().State(), ProgramState::TestLoaded);
    EXPECT_TRUE(m_session->Log().OfKind("identification").empty());
}

TEST_F(StartRunTest, PasswordWithATrailingBlankCanNeverBeEntered) {
    m_script.Password = "пароль ";
    EXPECT_FALSE(TryStart(WithPassword("пароль ")));
}

TEST_F(StartRunTest, CancelledPasswordRefusesSilently) {
    EXPECT_FALSE(TryStart(WithPassword("x")));
    EXPECT_TRUE(m_session->Log().OfKind("message").empty());
}

TEST_F(StartRunTest, ClosedIdentificationRefusesSilently) {
    m_script.Identify = false;
    EXPECT_FALSE(TryStart(NewTest(m_folder.Path())));
    EXPECT_TRUE(m_session->Log().OfKind("message").empty());
    EXPECT_FALSE(std::filesystem::exists(m_settings.DirForResult + "/TevrixStudent_Result.txt") &&
                 ResultLogText().find("Начат тест") != std::string::npos);
}

TEST_F(StartRunTest, BlankNameStartsNothing) {
    m_settings.UserNameExpression = "";
    m_settings.UserGroupExpression = "";
    m_script.Name = "   ";
    EXPECT_FALSE(TryStart(NewTest(m_folder.Path())));
    EXPECT_TRUE(m_session->Log().OfKind("message").empty());
}

TEST_F(StartRunTest, NameNotMatchingThePatternShowsTheBalloon) {
    m_script.Name = "иванов Иван";
    EXPECT_FALSE(TryStart(NewTest(m_folder.Path())));
    const std::vector<TranscriptEvent> identification = m_session->Log().OfKind("identification");
    ASSERT_EQ(identification.size(), 1u);
    EXPECT_EQ(identification[0].Caption, "Ошибка ввода!");
    EXPECT_EQ(identification[0].Text, "Не соответствует шаблону!\n\rОбразец: \"Иванов Иван\".");
}

TEST_F(StartRunTest, DefaultsFillTheDialogAndTheRecordGetsTrimmedFields) {
    m_settings.UserNameExpression = "";
    m_settings.UserGroupExpression = "";
    m_script.Name.reset();
    m_script.Group = "  5 Б ";
    ASSERT_TRUE(TryStart(NewTest(m_folder.Path())));
    EXPECT_EQ(m_session->Engine().Record()->UserName, "Фамилия Имя");
    EXPECT_EQ(m_session->Engine().Record()->UserGroup, "5 Б");
}

TEST_F(StartRunTest, DialogKeepsThePreviousPupilWhenSaveLastUserIsOn) {
    ScriptedSession& session = Open(ChoiceTasks(1));
    ASSERT_TRUE(session.Start());
    session.Perform(AnswerChoice(0));
    m_script.Name.reset();
    m_script.Group.reset();
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.Engine().Record()->UserName, "Иванов Иван");
    EXPECT_EQ(session.Engine().Record()->UserGroup, "10 А");
    session.Perform(AnswerChoice(0));
    // Off: the defaults again, and "Фамилия Имя" does not pass the name pattern.
    session.StationSettings().IsSaveLastUser = false;
    EXPECT_FALSE(session.Start());
    EXPECT_EQ(m_session->Log().OfKind("identification").back().Outcome, "closed");
}

TEST_F(StartRunTest, RunLimitRefusesTheThirdStart) {
    auto limited = [&] {
        auto test = NewTest(m_folder.Path());
        test->MaxRuns = 2;
        return test;
    };
    ScriptedSession& session = Open(limited(), ChoiceTasks(1));
    ASSERT_TRUE(session.Start());
    session.Perform(AnswerChoice(0));
    ASSERT_TRUE(session.Start());
    session.Perform(AnswerChoice(0));
    EXPECT_FALSE(session.Start());
    const std::vector<TranscriptEvent> messages = session.Log().OfKind("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "Извините, но этот тест не может быть запущен более 2 раз \n\rбез "
                                "перезагрузки компьютера.");
    EXPECT_EQ(messages[0].Caption, "Внимание!");
    EXPECT_EQ(messages[0].Outcome, "error, OK");
}

TEST_F(StartRunTest, WithoutPenalizeWrongIDoNotKnowIsHidden) {
    auto test = NewTest(m_folder.Path());
    test->PenalizeWrong = true;
    ASSERT_TRUE(TryStart(std::move(test)));
    EXPECT_TRUE(m_session->Area().IDoNotKnowShown());
    EXPECT_FALSE(m_session->Area().SkippingShown());
}

TEST_F(StartRunTest, ReportsGoToTheServerWhenAllowed) {
    m_settings.IsSendResult = true;
    m_script.Steps = {AnswerChoice(0), AnswerChoice(0)};
    ScriptedSession& session = Run(NewTest(m_folder.Path()), ChoiceTasks(2));
    std::vector<std::string> commands;
    for (const TranscriptEvent& event : session.Log().OfKind("report"))
        commands.push_back(event.Caption + " " + event.Outcome);
    EXPECT_EQ(commands, (std::vector<std::string>{"INFOBEGIN sent", "INFOPROCESS sent",
                                                  "INFOPROCESS sent", "RESULT sent"}));
    EXPECT_NE(session.Log().OfKind("report").back().Text.find(session.Engine().RunId()),
              std::string::npos);
}

TEST_F(StartRunTest, ServerDownAtTheStartStopsProgressReportsButNotTheResult) {
    m_settings.IsSendResult = true;
    m_serverDown = true;
    m_script.Steps = {AnswerChoice(0), AnswerChoice(0)};
    ScriptedSession& session = Run(NewTest(m_folder.Path()), ChoiceTasks(2));
    std::vector<std::string> commands;
    for (const TranscriptEvent& event : session.Log().OfKind("report"))
        commands.push_back(event.Caption);
    EXPECT_EQ(commands, (std::vector<std::string>{"INFOBEGIN", "RESULT"}));
    EXPECT_FALSE(session.Engine().ServerReportsOn());
    EXPECT_EQ(Result().EndReason, RunEndReason::Finished);
}

TEST_F(StartRunTest, NoReportsWithoutTheSettingOrThePermission) {
    m_script.Steps = {AnswerChoice(0)};
    ScriptedSession& session = Run(NewTest(m_folder.Path()), ChoiceTasks(1));
    EXPECT_TRUE(session.Log().OfKind("report").empty());
}

} // namespace
} // namespace tevrix
