// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"
#include "session/ResultOutputs.h"
#include "support/CaseNames.h"
#include "support/FileBytes.h"
#include "support/ResultRecords.h"
#include "support/TempFolder.h"
#include "text/Cp1251.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace tevrix {
namespace {

using testing::ReadWholeFile;
using testing::SampleRecord;
using testing::TempFolder;

const double kNow = EncodeOleDate({2024, 3, 5, 9, 27, 42, 0});
const std::string kUId = "{5D0C1A77-0000-4000-8000-00000000A1B2}";
const std::string kTvpr = "5D0C1A77-0000-4000-8000-00000000A1B2.tvpr";
const std::string kLog = "TevrixStudent_Result.txt";

class FixedClock final : public Clock {
public:
    double Now() const override { return kNow; }
};

// Every target writes what it was asked into one journal, in call order. The
// reporter also notes which result files existed when it was called.
class Journal final : public RunOutputView,
                      public EndSoundPlayer,
                      public ResultReporter,
                      public ResultWindow,
                      public DetailReport {
public:
    explicit Journal(std::string folder) : m_folder(std::move(folder)) {}

    void ShowEndSummary(const std::vector<SummaryLine>& lines) override {
        Summary = lines;
        Events.push_back("summary");
    }
    void ShowMessage(const PupilMessage& message) override {
        Events.push_back("message " + message.Text + " | " + message.Caption + " | " +
                         std::to_string(static_cast<int>(message.Icon)));
    }
    void PlayDefaultEndSound() override { Events.push_back("sound built-in"); }
    void PlaySoundFile(const std::string& path) override { Events.push_back("sound " + path); }
    void ReportResult(const TResultTest& record) override {
        Events.push_back("report " + record.UserName + " log=" + Exists(kLog) +
                         " tvpr=" + Exists(kTvpr));
    }
    void ShowResultWindow(const TResultTest& record) override {
        Events.push_back("window " + record.MarkName);
    }
    void ShowDetailReport(TResultTest&, const TTest& test, const TTaskList& tasks) override {
        Events.push_back("detail");
        ReportedTest = &test;
        ReportedTasks = &tasks;
    }

    std::vector<std::string> Events;
    const TTest* ReportedTest = nullptr;
    const TTaskList* ReportedTasks = nullptr;
    std::vector<SummaryLine> Summary;

private:
    std::string Exists(const std::string& name) const {
        return FileExists(m_folder + name) ? "1" : "0";
    }
    std::string m_folder;
};

class ResultOutputsTest : public ::testing::Test {
protected:
    ResultOutputsTest() : m_journal(m_folder.Path()) {
        m_settings.ProgramDir = m_folder.Path();
        m_settings.IsSaveProtectionResult = true;
        m_settings.IsSendResult = true;
        m_test.Title = "Дроби";
        m_test.UId = kUId;
        m_test.ResultKey = "key";
        m_test.SaveProtectedResult = true;
        m_test.ShowReport = true;
    }

    ResultOutputs Outputs() {
        return ResultOutputs(m_settings, TextLocale{{}, ','}, m_clock,
                             {m_journal, m_journal, m_journal, m_journal, m_journal});
    }
    void Produce() {
        TResultTest record = SampleRecord();
        Outputs().ProduceRunOutputs(record, m_test, m_tasks);
    }
    bool Has(const std::string& name) const { return FileExists(m_folder.File(name)); }

    TempFolder m_folder;
    ResultOutputSettings m_settings;
    TTest m_test;
    TTaskList m_tasks = TTaskList(2);
    FixedClock m_clock;
    Journal m_journal;
};

TEST_F(ResultOutputsTest, ComeInTheirOrder) {
    Produce();
    EXPECT_EQ(m_journal.Events, (std::vector<std::string>{"sound built-in", "summary",
                                                          "report Иванов Иван log=1 tvpr=1",
                                                          "window хорошо", "detail"}));
    EXPECT_EQ(m_journal.Summary.size(), 11u);
    EXPECT_EQ(m_journal.Summary[6].Text,
              "Набрано баллов: 1,5 из 3 возможных. Ваш результат: 50,0%.");
    const std::string log = Cp1251ToUtf8(ReadWholeFile(m_folder.File(kLog)));
    EXPECT_EQ(log.rfind("------------------------------------------------\r\n"
                        "---------- 05.03.2024 09:27:42 ----------\r\n",
                        0),
              0u);
    EXPECT_TRUE(Has(kTvpr));
}

TEST_F(ResultOutputsTest, DetailReportReceivesTheTestAndItsTasks) {
    Produce();
    EXPECT_EQ(m_journal.ReportedTest, &m_test);
    EXPECT_EQ(m_journal.ReportedTasks, &m_tasks);
}

struct ConditionCase {
    const char* Name;
    std::function<void(ResultOutputSettings&, TTest&)> Change;
    std::vector<std::string> Events;
    bool LogWritten;
    bool ProtectedWritten;
};

class OutputConditions : public ResultOutputsTest,
                         public ::testing::WithParamInterface<ConditionCase> {};

TEST_P(OutputConditions, NeedTheSettingAndTheTestsPermission) {
    GetParam().Change(m_settings, m_test);
    Produce();
    EXPECT_EQ(m_journal.Events, GetParam().Events);
    EXPECT_EQ(Has(kLog), GetParam().LogWritten);
    EXPECT_EQ(Has(kTvpr), GetParam().ProtectedWritten);
}

const char* const kNotice =
    "message Тест закончен... \r\nРезультаты тестирования\r\nВы можете узнать у руководителя. | "
    "Результаты тестирования | 2";

INSTANTIATE_TEST_SUITE_P(
    Switches, OutputConditions,
    ::testing::Values(ConditionCase{"no_log_setting",
                                    [](auto& s, auto&) { s.IsSaveResult = false; },
                                    {"sound built-in", "summary", "report Иванов Иван log=0 tvpr=1",
                                     "window хорошо", "detail"},
                                    false,
                                    true},
                      ConditionCase{"no_log_permission",
                                    [](auto&, auto& t) { t.SaveResult = false; },
                                    {"sound built-in", "summary", "report Иванов Иван log=0 tvpr=1",
                                     "window хорошо", "detail"},
                                    false,
                                    true},
                      ConditionCase{"no_protected_setting",
                                    [](auto& s, auto&) { s.IsSaveProtectionResult = false; },
                                    {"sound built-in", "summary", "report Иванов Иван log=1 tvpr=0",
                                     "window хорошо", "detail"},
                                    true,
                                    false},
                      ConditionCase{"no_protected_permission",
                                    [](auto&, auto& t) { t.SaveProtectedResult = false; },
                                    {"sound built-in", "summary", "report Иванов Иван log=1 tvpr=0",
                                     "window хорошо", "detail"},
                                    true,
                                    false},
                      ConditionCase{"no_send_setting",
                                    [](auto& s, auto&) { s.IsSendResult = false; },
                                    {"sound built-in", "summary", "window хорошо", "detail"},
                                    true,
                                    true},
                      ConditionCase{"no_send_permission",
                                    [](auto&, auto& t) { t.ReportToServer = false; },
                                    {"sound built-in", "summary", "window хорошо", "detail"},
                                    true,
                                    true},
                      ConditionCase{"no_window_setting",
                                    [](auto& s, auto&) { s.IsShowUserResult = false; },
                                    {"sound built-in", "summary", "report Иванов Иван log=1 tvpr=1",
                                     kNotice, "detail"},
                                    true,
                                    true},
                      ConditionCase{"no_window_permission",
                                    [](auto&, auto& t) { t.ShowResult = false; },
                                    {"sound built-in", "summary", "report Иванов Иван log=1 tvpr=1",
                                     kNotice, "detail"},
                                    true,
                                    true},
                      ConditionCase{"no_report_setting",
                                    [](auto& s, auto&) { s.IsShowDetailReport = false; },
                                    {"sound built-in", "summary", "report Иванов Иван log=1 tvpr=1",
                                     "window хорошо"},
                                    true,
                                    true},
                      ConditionCase{"no_report_permission",
                                    [](auto&, auto& t) { t.ShowReport = false; },
                                    {"sound built-in", "summary", "report Иванов Иван log=1 tvpr=1",
                                     "window хорошо"},
                                    true,
                                    true},
                      ConditionCase{
                          "no_sound",
                          [](auto& s, auto&) { s.IsUseSound = false; },
                          {"summary", "report Иванов Иван log=1 tvpr=1", "window хорошо", "detail"},
                          true,
                          true}),
    testing::CaseName);

TEST_F(ResultOutputsTest, WithoutTheResultShownTheSummaryPointsToTheTeacher) {
    m_test.ShowResult = false;
    Produce();
    ASSERT_EQ(m_journal.Summary.size(), 6u);
    EXPECT_EQ(m_journal.Summary[2],
              (SummaryLine{"Результаты тестирования Вы можете узнать у руководителя.",
                           SummaryStyle::BoldRed}));
}

TEST_F(ResultOutputsTest, PlaysTheChosenSoundFile) {
    m_settings.IsUseDefaultSound = false;
    m_settings.SoundFileName = "end.wav";
    Produce();
    EXPECT_EQ(m_journal.Events.front(), "sound " + m_folder.Path() + "end.wav");

    m_journal.Events.clear();
    m_settings.SoundFileDir = "/usr/share/sounds";
    Produce();
    EXPECT_EQ(m_journal.Events.front(), "sound /usr/share/sounds/end.wav");
}

TEST_F(ResultOutputsTest, BothFilesGoToTheResultFolder) {
    TempFolder results;
    m_settings.DirForResult = results.Path();
    m_settings.ResultFileName = "journal.txt";
    Produce();
    EXPECT_TRUE(FileExists(results.File("journal.txt")));
    EXPECT_TRUE(FileExists(results.File(kTvpr)));
    EXPECT_FALSE(Has(kLog));
    EXPECT_FALSE(Has(kTvpr));
}

TEST_F(ResultOutputsTest, FailuresAreShownAndTheOutputsGoOn) {
    m_settings.DirForResult = m_folder.File("missing");
    Produce();
    EXPECT_EQ(m_journal.Events,
              (std::vector<std::string>{
                  "sound built-in", "summary",
                  "message Ошибка записи в файл результатов. | Внимание! | 1",
                  "message Ошибка записи в защищенный файл результатов. | Внимание! | 1",
                  "report Иванов Иван log=0 tvpr=0", "window хорошо", "detail"}));
}

TEST_F(ResultOutputsTest, ALogNameThatLeavesTheResultFolderIsAFailure) {
    m_settings.DirForResult = m_folder.File("results");
    std::filesystem::create_directory(m_settings.DirForResult);
    for (const char* name : {"../escaped.txt", "/tmp/escaped.txt", "sub/escaped.txt"}) {
        m_journal.Events.clear();
        m_settings.ResultFileName = name;
        Produce();
        ASSERT_GE(m_journal.Events.size(), 3u);
        EXPECT_EQ(m_journal.Events[2], "message Ошибка записи в файл результатов. | Внимание! | 1")
            << name;
    }
    EXPECT_FALSE(Has("escaped.txt"));
    EXPECT_FALSE(FileExists("/tmp/escaped.txt"));
}

TEST_F(ResultOutputsTest, AForeignProtectedFileIsReportedAndKept) {
    testing::WriteWholeFile(m_folder.File(kTvpr), "not a result file");
    Produce();
    EXPECT_EQ(m_journal.Events[2], "message Неверный тип файла! | Ошибка! | 3");
    EXPECT_EQ(ReadWholeFile(m_folder.File(kTvpr)), "not a result file");
}

TEST_F(ResultOutputsTest, EventLinesNeedOnlyTheSetting) {
    m_test.SaveResult = false; // plays no part in event lines
    ResultOutputs outputs = Outputs();
    outputs.LogProgramStart();
    outputs.LogRunStart(m_test.Title);
    outputs.LogProgramClose();
    EXPECT_EQ(ReadWholeFile(m_folder.File(kLog)),
              Utf8ToCp1251("05.03.2024 09:27:42 Запущена программа TevrixStudent.\r\n"
                           "05.03.2024 09:27:42  Начат тест: \"Дроби\"\r\n"
                           "05.03.2024 09:27:42 Закрыта программа TevrixStudent.\r\n"));

    std::filesystem::remove(m_folder.File(kLog));
    m_settings.IsSaveResult = false;
    ResultOutputs silent = Outputs();
    silent.LogProgramStart();
    silent.LogRunStart(m_test.Title);
    EXPECT_FALSE(Has(kLog));
    EXPECT_TRUE(m_journal.Events.empty());
}

TEST_F(ResultOutputsTest, AnEventLineThatCannotBeWrittenIsReported) {
    m_settings.DirForResult = m_folder.File("missing");
    Outputs().LogRunStart("Дроби");
    EXPECT_EQ(m_journal.Events, (std::vector<std::string>{
                                    "message Ошибка записи в файл результатов. | Внимание! | 1"}));
}

} // namespace
} // namespace tevrix
