// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real tvf tool as a teacher would.
#include "model/TestLoader.h"
#include "platform/Files.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace tevrix {
namespace {

class TvfTest : public ::testing::Test {
protected:
    testing::TempFolder m_folder;
    const std::string m_dir = m_folder.Path();
};

TEST_F(TvfTest, PackOfADumpIsByteIdentical) {
    const std::string demo = std::string(TEVRIX_SOURCE_DIR) + "/examples/demo/demo.json";
    ASSERT_EQ(Shell(Tool() + " pack '" + demo + "' -o " + m_dir + "a.tvf").Status, 0);
    const ShellRun dump =
        Shell("cd " + m_dir + " && " + Tool() + " dump a.tvf --extract files > a.json");
    ASSERT_EQ(dump.Status, 0);
    ASSERT_EQ(Shell("cd " + m_dir + " && " + Tool() + " pack a.json -o b.tvf").Status, 0);
    EXPECT_EQ(ReadFileBytes(m_dir + "a.tvf"), ReadFileBytes(m_dir + "b.tvf"));

    const LoadTestOutcome loaded = LoadTest(m_dir + "b.tvf", std::nullopt, {});
    ASSERT_EQ(loaded.Status, LoadTestStatus::Loaded);
    std::set<int> kinds;
    for (const TTask& task : loaded.Tasks)
        kinds.insert(static_cast<int>(task.Kind));
    EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(fs::exists(m_dir + "files/house.png"));
}

TEST_F(TvfTest, DumpShowsComputedFieldsAndFileSizes) {
    std::ofstream(m_dir + "t.json") << R"({"Title": "Проба", "OpenPassword": "pw",
        "Tasks": [{"Kind": 9, "Word": "КОТ"}, {"Kind": 7, "TextAnswers": ["а", "б"]}],
        "Files": [{"Name": "f.bin"}]})";
    std::ofstream(m_dir + "f.bin") << "12345";
    ASSERT_EQ(Shell(Tool() + " pack " + m_dir + "t.json -o " + m_dir + "t.tvf").Status, 0);
    const ShellRun dump = Shell(Tool() + " dump " + m_dir + "t.tvf --password pw");
    ASSERT_EQ(dump.Status, 0);
    EXPECT_NE(dump.Out.find("\"Title\": \"Проба\""), std::string::npos);
    EXPECT_NE(dump.Out.find("\"AskCount\": 2"), std::string::npos);
    EXPECT_NE(dump.Out.find("\"TextAnswers\": \"а\\r\\nб\""), std::string::npos);
    EXPECT_NE(dump.Out.find("\"Size\": 5"), std::string::npos);
    const LoadTestOutcome loaded =
        LoadTest(m_dir + "t.tvf", std::nullopt, [] { return std::string("pw"); });
    ASSERT_EQ(loaded.Status, LoadTestStatus::Loaded);
    EXPECT_NE(dump.Out.find("\"FileCrc\": " + std::to_string(loaded.Test->FileCrc)),
              std::string::npos);
}

struct ErrorCase {
    const char* Name;
    const char* Json;      // written to t.json when not empty
    const char* Arguments; // after the tool, with DIR replaced
    const char* Expected;  // part of the one error line
};

class TvfErrorTest : public TvfTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(TvfErrorTest, FailsWithOneLineAndANonZeroExit) {
    const ErrorCase& c = GetParam();
    if (*c.Json)
        std::ofstream(m_dir + "t.json") << c.Json;
    std::ofstream(m_dir + "junk.tvf") << "not a test";
    std::string args = c.Arguments;
    for (size_t at; (at = args.find("DIR/")) != std::string::npos;)
        args.replace(at, 4, m_dir);
    const ShellRun run = Shell(Tool() + " " + args + " 2>&1 >/dev/null");
    EXPECT_NE(run.Status, 0);
    // A usage error adds a line saying where to read more.
    std::string message = run.Out;
    const std::string hint = "see `tvf --help`\n";
    if (message.ends_with(hint))
        message.erase(message.size() - hint.size());
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << run.Out;
    EXPECT_NE(message.find(c.Expected), std::string::npos) << run.Out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TvfErrorTest,
    ::testing::Values(
        ErrorCase{"BadJson", "{\"Title\": ", "pack DIR/t.json -o DIR/o.tvf", "parse error"},
        ErrorCase{"WrongType", "{\"Title\": 5}", "pack DIR/t.json -o DIR/o.tvf",
                  "test.Title: wrong type"},
        ErrorCase{"HugeWholeNumber", "{\"MaxRuns\": 3.3e116}", "pack DIR/t.json -o DIR/o.tvf",
                  "test.MaxRuns: wrong type"},
        ErrorCase{"WholeNumberOutOfRange", "{\"MaxRuns\": 2147483648}",
                  "pack DIR/t.json -o DIR/o.tvf", "test.MaxRuns: out of range"},
        ErrorCase{"TooManyVariants",
                  "{\"Tasks\": [{\"Kind\": 1, \"Variants\": "
                  "[\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\"10\",\"11\"]}]}",
                  "pack DIR/t.json -o DIR/o.tvf", "test.Tasks[0].Variants: at most 10 entries"},
        ErrorCase{"NotInCodePage", "{\"Title\": \"π\"}", "pack DIR/t.json -o DIR/o.tvf",
                  "Windows-1251"},
        ErrorCase{"MissingFile", "{\"Files\": [{\"Name\": \"absent.png\"}]}",
                  "pack DIR/t.json -o DIR/o.tvf", "absent.png"},
        ErrorCase{"FolderInName", "{\"Files\": [{\"Name\": \"../t.json\", \"Path\": \"t.json\"}]}",
                  "pack DIR/t.json -o DIR/o.tvf", "not a plain file name"},
        ErrorCase{"NumberCount", "{\"Tasks\": [{\"Kind\": 6, \"NumberCount\": 6}]}",
                  "pack DIR/t.json -o DIR/o.tvf", "NumberCount: 1 to 5"},
        ErrorCase{"NotATest", "", "dump DIR/junk.tvf", "Неверный тип файла с тестом!"},
        ErrorCase{"NoSuchTest", "", "dump DIR/absent.tvf", "no such file"},
        ErrorCase{"UnknownCommand", "", "frobnicate", "unknown command"}),
    testing::CaseName);

TEST_F(TvfTest, PasswordProtectedTestNeedsTheRightPassword) {
    std::ofstream(m_dir + "t.json") << R"({"OpenPassword": "Секрет"})";
    ASSERT_EQ(Shell(Tool() + " pack " + m_dir + "t.json -o " + m_dir + "t.tvf").Status, 0);
    const ShellRun none = Shell(Tool() + " dump " + m_dir + "t.tvf 2>&1");
    EXPECT_NE(none.Status, 0);
    EXPECT_NE(none.Out.find("--password"), std::string::npos);
    const ShellRun wrong = Shell(Tool() + " dump " + m_dir + "t.tvf --password нет 2>&1");
    EXPECT_NE(wrong.Status, 0);
    EXPECT_NE(wrong.Out.find("Неверный пароль!"), std::string::npos);
    EXPECT_EQ(Shell(Tool() + " dump " + m_dir + "t.tvf --password Секрет").Status, 0);
}

} // namespace
} // namespace tevrix
