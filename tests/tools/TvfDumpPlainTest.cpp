// SPDX-License-Identifier: GPL-3.0-or-later
// `tvf dump --plain` on the demo test, whose texts are RTF documents.
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tevrix {
namespace {

TEST(TvfDumpPlainTest, ShowsRichTextsAsPlainText) {
    const testing::TempFolder folder;
    const std::string& dir = folder.Path();
    const std::string demo = std::string(TEVRIX_SOURCE_DIR) + "/examples/demo/demo.json";
    ASSERT_EQ(Shell(Tool() + " pack " + demo + " -o " + dir + "demo.tvf").Status, 0);

    const ShellRun plain = Shell(Tool() + " dump " + dir + "demo.tvf --plain");
    ASSERT_EQ(plain.Status, 0);
    EXPECT_NE(plain.Out.find("\"Question\": \"Какой город является столицей Франции?\""),
              std::string::npos);
    EXPECT_NE(plain.Out.find("\"Instruction\": \"Отвечайте на задания по одному. \\nВремя на весь "
                             "тест ограничено 10 минутами.\\nЗа подсказку снимается 1 балл.\""),
              std::string::npos);
    EXPECT_EQ(plain.Out.find("\\\\rtf1"), std::string::npos);

    const ShellRun raw = Shell(Tool() + " dump " + dir + "demo.tvf");
    EXPECT_NE(raw.Out.find("{\\\\rtf1"), std::string::npos); // without --plain the RTF stays
}

// Questions pasted from other word processors (tests/fixtures/rtf): every
// word is in the plain text, and no character is guessed.
TEST(TvfDumpPlainTest, KeepsEveryWordOfOtherWritersDocuments) {
    const testing::TempFolder folder;
    const std::string& dir = folder.Path();
    const std::string fixtures = std::string(TEVRIX_FIXTURES) + "/rtf/";
    const struct {
        const char* File;
        const char* Plain; // as the JSON output writes it
    } cases[] = {
        {"nested-table.rtf", R"(Судьи\tИванов И.И.\tПетров П.П.\t\n\nРешение)"},
        {"mac-japanese.rtf", "日本語 café"},
        {"opensymbol-list.rtf", R"(•\tПервый\n•\tВторой)"},
        {"footnotes.rtf", "aaa1 bbb2"},
    };
    std::string tasks;
    for (const auto& c : cases)
        tasks += std::string(tasks.empty() ? "" : ",") + R"({"Kind": 7, "Question": {"File": ")" +
                 fixtures + c.File + R"("}})";
    std::ofstream(dir + "t.json") << R"({"Title": "T", "Tasks": [)" << tasks << "]}";
    ASSERT_EQ(Shell(Tool() + " pack " + dir + "t.json -o " + dir + "t.tvf").Status, 0);

    const ShellRun plain = Shell(Tool() + " dump " + dir + "t.tvf --plain");
    ASSERT_EQ(plain.Status, 0);
    for (const auto& c : cases)
        EXPECT_NE(plain.Out.find(std::string(R"("Question": ")") + c.Plain + "\""),
                  std::string::npos)
            << c.File << "\n"
            << plain.Out;
    EXPECT_EQ(plain.Out.find("\uFFFD"), std::string::npos) << plain.Out;
}

} // namespace
} // namespace tevrix
