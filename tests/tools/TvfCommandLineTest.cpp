// SPDX-License-Identifier: GPL-3.0-or-later
// What tvf says about itself, and that its manual page and completion say
// the same.
#include "support/CaseNames.h"
#include "support/FileBytes.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <sstream>

namespace tevrix {
namespace {

struct CommandLineCase {
    std::string Name;
    std::string Arguments;
    int Status;
    std::string Stdout; // a line the standard output holds ("" for none at all)
    std::string Stderr; // a text the standard error holds ("" for none at all)
};

class TvfCommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST_P(TvfCommandLineTest, AnswersWithTheRightTextAndStatus) {
    const CommandLineCase& c = GetParam();
    const ShellRun out = Shell(Tool() + " " + c.Arguments + " 2>/dev/null");
    const ShellRun err = Shell(Tool() + " " + c.Arguments + " 2>&1 >/dev/null");
    EXPECT_EQ(out.Status, c.Status);
    if (c.Stdout.empty())
        EXPECT_EQ(out.Out, "");
    else
        EXPECT_TRUE(HasLine(out.Out, c.Stdout)) << out.Out;
    if (c.Stderr.empty())
        EXPECT_EQ(err.Out, "");
    else
        EXPECT_NE(err.Out.find(c.Stderr), std::string::npos) << err.Out;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, TvfCommandLineTest,
    ::testing::Values(
        CommandLineCase{"help", "--help", 0, "usage: tvf COMMAND [ARGUMENTS]", ""},
        CommandLineCase{"short help", "-h", 0, "usage: tvf COMMAND [ARGUMENTS]", ""},
        CommandLineCase{"version", "--version", 0, "tvf " TEVRIX_VERSION, ""},
        CommandLineCase{"command help", "dump --help", 0,
                        "usage: tvf dump TEST.tvf [--password P] [--extract DIR] [--plain]", ""},
        CommandLineCase{"help wins over a missing file", "simulate -h", 0,
                        "  --station DIR   the station's folder: its configuration, its result "
                        "files",
                        ""},
        CommandLineCase{"nothing", "", 2, "",
                        "tvf: no command given (commands: pack, dump, results, simulate)"},
        CommandLineCase{"unknown command", "unpack x.tvf", 2, "",
                        "tvf: unknown command \"unpack\" (commands: pack, dump, results, "
                        "simulate)"},
        CommandLineCase{"unknown tool option", "--verbose", 2, "",
                        "tvf: unknown option \"--verbose\" (options: --help, --version)"},
        CommandLineCase{"unknown command option", "dump x.tvf --json", 2, "",
                        "tvf dump: unknown option \"--json\" (options: --password P, --extract "
                        "DIR, --plain, --help)"},
        // An option's value may start with a dash.
        CommandLineCase{"value like an option", "dump /nonexistent/x.tvf --password -secret", 1, "",
                        "tvf dump: no such file: /nonexistent/x.tvf"},
        CommandLineCase{"missing argument", "results", 2, "",
                        "usage: tvf results FILE.tvpr [--json] (see `tvf results --help`)"},
        CommandLineCase{"missing output", "pack x.json", 2, "",
                        "tvf pack: no output file given (-o)"},
        CommandLineCase{"second input", "results a.tvpr b.tvpr", 2, "",
                        "tvf results: unexpected argument \"b.tvpr\""},
        CommandLineCase{"unreadable file", "results /nonexistent/x.tvpr", 1, "",
                        "tvf results: cannot read"}),
    testing::CaseName);

// The commands `tvf --help` lists, and the options of one as its help lists them.
std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

std::vector<std::string> Commands() {
    const std::string help = Shell(Tool() + " --help").Out;
    const std::string list = help.substr(help.find("commands:\n"));
    return Matches(list, std::regex(R"(\n  ([a-z]+) )"));
}

std::vector<std::string> OptionsOf(const std::string& command) {
    return Matches(Shell(Tool() + " " + command + " --help").Out,
                   std::regex(R"(\n  (-[-a-z]+)[ \n])"));
}

std::string SourceFile(const std::string& path) {
    return testing::ReadWholeFile(std::string(TEVRIX_SOURCE_DIR) + "/" + path);
}

TEST(TvfDocumentationTest, TheManualPageAndTheCompletionKnowEveryCommandAndOption) {
    const std::string manual = SourceFile("docs/man/tvf.1.scd");
    const std::string completion = SourceFile("data/tvf.bash-completion");
    const std::vector<std::string> commands = Commands();
    ASSERT_EQ(commands, (std::vector<std::string>{"pack", "dump", "results", "simulate"}));
    for (const std::string& command : commands) {
        EXPECT_NE(manual.find("*tvf " + command + "*"), std::string::npos) << command;
        const std::vector<std::string> options = OptionsOf(command);
        EXPECT_GE(options.size(), 2u) << command; // its own and --help
        std::smatch line;
        ASSERT_TRUE(std::regex_search(completion, line,
                                      std::regex("\n +" + command + "\\) options='([^']*)'")))
            << command;
        std::istringstream completed(line[1].str());
        std::vector<std::string> completedOptions{std::istream_iterator<std::string>(completed),
                                                  {}};
        EXPECT_EQ(completedOptions, options) << command;
        for (const std::string& option : options) {
            if (option != "--help")
                EXPECT_NE(manual.find("*" + option + "*"), std::string::npos) << option;
        }
    }
}

} // namespace
} // namespace tevrix
