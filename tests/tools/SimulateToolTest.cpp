// SPDX-License-Identifier: GPL-3.0-or-later
// `tvf simulate` against the same run taken through the engine in process:
// the result log and the protected result file must come out byte for byte
// the same.
#include "config/SettingsFile.h"
#include "model/TestFileWriter.h"
#include "model/TestLoader.h"
#include "platform/SystemInfo.h"
#include "results/ProtectedResultFile.h"
#include "support/SessionTest.h"
#include "support/ToolRunner.h"
#include "text/Format.h"

#include <fstream>
#include <regex>

namespace tevrix {
namespace {

using namespace tevrix::testing;

constexpr const char* kUId = "{0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D}";

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<uint8_t> Bytes(const std::string& path) {
    return ReadFileBytes(path);
}

class SimulateToolTest : public ::testing::Test {
protected:
    SimulateToolTest() {
        TTest test(m_folder.Path());
        test.Title = "Сверка";
        test.UId = kUId;
        test.ResultKey = "ключ";
        test.SaveProtectedResult = true;
        test.ShowCorrectAnswer = true;
        test.AllowSkip = true;
        test.WholeAnswerOnly = false;
        TTaskList tasks;
        tasks.push_back(VariantTask(TaskKind::tkMultipleChoice, {1, 0, 1, 0}, 4));
        tasks.push_back(NumberTask({{1, 2}, {1, 5}}, false, {"a =", ""}));
        tasks.push_back(TextTask("Москва\r\nмосква-сити"));
        tasks.push_back(VariantTask(TaskKind::tkTrueFalse, {1, 1, 2, 2}, 2));
        for (TTask& task : tasks)
            task.Question = Rich("Вопрос");
        const std::vector<uint8_t> file = WriteTestFileBytes(test, tasks, {});
        m_testFile = m_folder.Path() + "check.tvf";
        WriteText(m_testFile, std::string(file.begin(), file.end()));
        for (const std::string& station : {ToolStation(), EngineStation()}) {
            std::filesystem::create_directory(station);
            WriteText(station + kConfigFileName, "[Save]\r\nIsSaveProtectionResult=1\r\n");
        }
        WriteText(ScriptPath(), R"({
            "start": "15.01.2025 09:00:00",
            "name": "Петров Пётр",
            "group": "9 Б",
            "steps": [
                {"action": "answer", "value": [1, 2], "replies": [{"seconds": 2}]},
                {"action": "wait", "seconds": 3},
                {"action": "skip"},
                {"action": "answer", "value": " москва "},
                {"action": "answer", "value": ["да", "", "нет", null]},
                {"action": "answer", "value": ["2", "9"]}
            ]
        })");
    }

    std::string ToolStation() const { return m_folder.Path() + "tool/"; }
    std::string EngineStation() const { return m_folder.Path() + "engine/"; }
    std::string ScriptPath() const { return m_folder.Path() + "run.json"; }

    // The run of the script above, written as C++.
    static RunScript SameScript() {
        RunScript script;
        script.Start = StartTime();
        script.Name = "Петров Пётр";
        script.Group = "9 Б";
        ScriptStep multiple = Step(ScriptAction::Answer, {After(2)});
        multiple.Answer.Ticked = {0, 1};
        ScriptStep text = Step(ScriptAction::Answer);
        text.Answer.Text = " москва ";
        ScriptStep trueFalse = Step(ScriptAction::Answer);
        trueFalse.Answer.Entries = {1, 0, 2, ChosenEntriesAnswer::kNoEntry};
        ScriptStep numbers = Step(ScriptAction::Answer);
        numbers.Answer.Numbers = {"2", "9"};
        script.Steps = {multiple, Wait(3), Step(ScriptAction::Skip), text, trueFalse, numbers};
        return script;
    }

    // Runs `tvf simulate`; stdout and stderr together.
    static ShellRun RunTool(const std::string& arguments) {
        return Shell(Tool() + " simulate " + arguments + " 2>&1");
    }

    TempFolder m_folder;
    std::string m_testFile;
};

TEST_F(SimulateToolTest, WritesTheSameFilesAsTheEngine) {
    const ShellRun run =
        RunTool(m_testFile + " --script " + ScriptPath() + " --station " + ToolStation());
    ASSERT_EQ(run.Status, 0) << run.Out;
    const std::string& output = run.Out;

    Settings settings;
    ASSERT_TRUE(LoadSettings(settings, EngineStation() + kConfigFileName).Ok());
    // Without a server of its own the tool lets the run report to the
    // scripted server, which prints the reports.
    ASSERT_FALSE(settings.IsSendResult);
    settings.IsSendResult = true;
    RunCounter counter(UserStore(EngineStation() + "store.ini"),
                       RebootMarkers(EngineStation() + "markers", "b"));
    LoadTestOutcome loaded = LoadTest(m_testFile, std::nullopt, [] { return std::nullopt; });
    ASSERT_EQ(loaded.Status, LoadTestStatus::Loaded);
    const RunScript script = SameScript();
    ScriptedSession session(script, SimulationStation{settings,
                                                      EngineStation(),
                                                      counter,
                                                      TextLocale{{}, SystemDecimalSeparator()},
                                                      ComputerName(),
                                                      ComputerUserName(),
                                                      false,
                                                      nullptr,
                                                      {}});
    session.Open(std::move(loaded.Test), std::move(loaded.Tasks));
    session.RunToEnd();
    ASSERT_NE(session.Engine().LastResult(), nullptr);

    const std::string log = "TevrixStudent_Result.txt";
    const std::string protectedFile = ProtectedResultFileName("", kUId);
    EXPECT_EQ(Bytes(ToolStation() + log), Bytes(EngineStation() + log));
    EXPECT_EQ(Bytes(ToolStation() + protectedFile), Bytes(EngineStation() + protectedFile));
    // Each run has an identifier of its own; the rest is the same.
    const auto sameRun = [](const std::string& text) {
        return std::regex_replace(text, std::regex(R"(\{[0-9A-F-]{36}\})"), "{RUN}");
    };
    const std::string transcript = sameRun(session.Log().Print());
    EXPECT_EQ(sameRun(output).substr(0, transcript.size()), transcript);
    EXPECT_NE(transcript.find("report [RESULT]"), std::string::npos) << transcript;

    // The run scored as the teacher meant: 2 of 4 parts of 4 points, 1 of 2
    // numbers of 1 point, the text, 2 of 2 answered parts of 2 points.
    EXPECT_NE(output.find("result: end reason 1\n"), std::string::npos) << output;
    EXPECT_NE(output.find("score: 5.50 of 8 (68.8%)"), std::string::npos) << output;
    EXPECT_NE(output.find("answer mask: 1) 1;2; 2) a = 2;9; 3)  москва  4) 1-Да;2-;3-Нет;4-; \n"),
              std::string::npos)
        << output;
}

TEST_F(SimulateToolTest, RefusesABadScriptWithItsPlace) {
    WriteText(ScriptPath(), R"({"steps": [{"action": "answer", "value": 1}, {"action": "fly"}]})");
    const ShellRun run =
        RunTool(m_testFile + " --script " + ScriptPath() + " --station " + ToolStation());
    EXPECT_NE(run.Status, 0);
    const std::string& output = run.Out;
    EXPECT_NE(output.find("steps[1].action: unknown action \"fly\""), std::string::npos) << output;
}

TEST_F(SimulateToolTest, NeedsAllThreeArguments) {
    const ShellRun run = RunTool(m_testFile + " --script " + ScriptPath());
    EXPECT_NE(run.Status, 0);
    EXPECT_NE(run.Out.find("usage: tvf simulate TEST.tvf --script RUN.json --station DIR"),
              std::string::npos);
}

} // namespace
} // namespace tevrix
