// SPDX-License-Identifier: GPL-3.0-or-later
// `tvf results` reads what the station writes, as a teacher runs it.
#include "platform/Files.h"
#include "results/ProtectedResultFile.h"
#include "support/CaseNames.h"
#include "support/FileBytes.h"
#include "support/ResultRecords.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tevrix {
namespace {

using testing::SampleRecord;
using testing::TempFolder;

const ProtectedResultIdentity kTest{"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}", "Ключ"};

class TvfResults : public ::testing::Test {
protected:
    TvfResults() { m_settings.ProgramDir = m_folder.Path(); }

    // Two runs as the station writes them; the second pupil's name needs
    // quoting in CSV.
    std::string WriteTwoRuns() {
        for (const char* pupil : {"Первый", "Пётр \"Малый\", мл."})
            EXPECT_EQ(
                WriteProtectedResult(m_settings, kTest, SampleRecord(pupil), TextLocale{}).Status,
                ProtectedWriteStatus::Written);
        return m_folder.File("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0.tvpr");
    }
    ShellRun Results(const std::string& arguments) {
        return Shell(Tool() + " results " + arguments + " 2>&1");
    }

    TempFolder m_folder;
    ResultOutputSettings m_settings;
};

const std::string kHeader =
    "UserName,UserGroup,ComputerName,ComputerUserName,Reserved1,TimeBegin,TimeEnd,Duration,"
    "ResultDate,TestTitle,TestFileName,TestFileCRC,TestUId,ResultMask,TimeMask,AnswerMask,"
    "PenaltyMask,EndReason,Mark,MarkName,MarkCount,TaskCount,DoneCount,RightCount,WrongCount,"
    "NoAnswerCount,PromptCount,MaxScore,Score,Reserved2\n";
const std::string kRowAfterName =
    ",7-Б,CLASS-PC7,pupil,r1,05.03.2024 09:15:00,05.03.2024 09:27:41,761,05.03.2024 09:27:41,"
    "Дроби,/home/teacher/Дроби.tvf,0A1B2C3D,{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0},"
    "1) + 2) - 3) * ,1) 12 2) 40 3) * ,1) 3;1; 2) x=10; y=20 3)  ,1) * 2) 1 3) * ,"
    "2,4,хорошо,5,2,2,1,1,0,1,3,1.5,r2\n";

TEST_F(TvfResults, PrintsOneCsvRowPerRun) {
    const ShellRun run = Results(WriteTwoRuns());
    ASSERT_EQ(run.Status, 0) << run.Out;
    EXPECT_EQ(run.Out,
              kHeader + "Первый" + kRowAfterName + "\"Пётр \"\"Малый\"\", мл.\"" + kRowAfterName);
}

TEST_F(TvfResults, PrintsTheWholeFileAsJson) {
    const ShellRun run = Results(WriteTwoRuns() + " --json");
    ASSERT_EQ(run.Status, 0) << run.Out;
    const nlohmann::json json = nlohmann::json::parse(run.Out);
    EXPECT_EQ(json["UId"], kTest.UId);
    EXPECT_EQ(json["ResultKey"], "Ключ");
    ASSERT_EQ(json["Runs"].size(), 2u);
    const nlohmann::json& first = json["Runs"][0];
    const TResultTest sample = SampleRecord();
    EXPECT_EQ(first["UserName"], "Первый");
    EXPECT_EQ(first["TimeBegin"].get<double>(), sample.TimeBegin);
    EXPECT_EQ(first["TestFileCRC"], 0x0A1B2C3D);
    EXPECT_EQ(first["ResultMask"], nlohmann::json({2, 0, -1}));
    EXPECT_EQ(first["AnswerMask"], nlohmann::json({"3;1;", "x=10; y=20", ""}));
    EXPECT_EQ(first["Score"], 1.5);
    EXPECT_EQ(json["Runs"][1]["UserName"], "Пётр \"Малый\", мл.");
    EXPECT_EQ(first.size(), 30u);
}

TEST_F(TvfResults, AFileWithoutRunsGivesTheHeaderAlone) {
    const std::string path = m_folder.File("empty.tvpr");
    MemoryOutputStream bytes;
    WriteProtectedResultContent(bytes, kTest, {});
    testing::WriteWholeFile(path, std::string(bytes.Bytes().begin(), bytes.Bytes().end()));
    const ShellRun run = Results(path);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, kHeader);
}

struct BadFileCase {
    const char* Name;
    std::function<void(const std::string& path)> Spoil;
    const char* Says;
};

class TvfResultsBadFile : public TvfResults, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(TvfResultsBadFile, FailsWithOneClearLine) {
    const std::string path = WriteTwoRuns();
    GetParam().Spoil(path);
    const ShellRun run = Results(path);
    EXPECT_NE(run.Status, 0);
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 1) << run.Out;
    EXPECT_EQ(run.Out.rfind("tvf results: ", 0), 0u) << run.Out;
    EXPECT_NE(run.Out.find(GetParam().Says), std::string::npos) << run.Out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, TvfResultsBadFile,
    ::testing::Values(BadFileCase{"foreign",
                                  [](const std::string& path) {
                                      testing::WriteWholeFile(path, "PK\x03\x04 zip");
                                  },
                                  "not a protected result file"},
                      BadFileCase{"truncated",
                                  [](const std::string& path) {
                                      const std::string bytes = testing::ReadWholeFile(path);
                                      testing::WriteWholeFile(path,
                                                              bytes.substr(0, bytes.size() - 40));
                                  },
                                  "is damaged"},
                      BadFileCase{"missing",
                                  [](const std::string& path) { std::filesystem::remove(path); },
                                  "cannot read"}),
    testing::CaseName);

} // namespace
} // namespace tevrix
