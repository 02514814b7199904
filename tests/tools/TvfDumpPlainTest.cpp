// SPDX-License-Identifier: GPL-3.0-or-later
// `tvf dump --plain` on the demo test, whose texts are RTF documents.
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <filesystem>
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

} // namespace
} // namespace tevrix
