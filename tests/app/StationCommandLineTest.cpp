// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StationCommandLine.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace tevrix {
namespace {

namespace fs = std::filesystem;

struct ReadCase {
    std::string Name;
    std::vector<const char*> Arguments; // after the program's name
    StationAction Action;
    std::string TestFile;
};

class ReadStationCommandLineTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadStationCommandLineTest, FindsTheActionAndTheTest) {
    std::vector<const char*> argv{"tevrix-student"};
    argv.insert(argv.end(), GetParam().Arguments.begin(), GetParam().Arguments.end());
    const StationCommandLine line = ReadStationCommandLine(int(argv.size()), argv.data());
    EXPECT_EQ(line.Action, GetParam().Action);
    EXPECT_EQ(line.TestFile, GetParam().TestFile);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadStationCommandLineTest,
    ::testing::Values(
        ReadCase{"nothing", {}, StationAction::Run, ""},
        ReadCase{"test", {"Дроби.tvf", "second.tvf"}, StationAction::Run, "Дроби.tvf"},
        ReadCase{"any extension", {"test.txt"}, StationAction::Run, "test.txt"},
        ReadCase{"qt options and values",
                 {"-platform", "offscreen", "--style", "Fusion", "-reverse", "a.tvf"},
                 StationAction::Run,
                 "a.tvf"},
        ReadCase{"dash dash", {"--", "-odd.tvf"}, StationAction::Run, "-odd.tvf"},
        ReadCase{"lone dash is a name", {"-"}, StationAction::Run, "-"},
        ReadCase{"help after test", {"a.tvf", "--help"}, StationAction::ShowHelp, ""},
        ReadCase{"short help", {"-h"}, StationAction::ShowHelp, ""},
        ReadCase{"version", {"--version"}, StationAction::ShowVersion, ""},
        ReadCase{"folders", {"--folders"}, StationAction::ShowFolders, ""},
        ReadCase{"unknown", {"--fullscreen", "a.tvf"}, StationAction::Refuse, ""},
        ReadCase{"option after dash dash", {"--", "--help"}, StationAction::Run, "--help"}),
    testing::CaseName);

// The program itself, started with no display: what it prints, on which
// stream, with which status.
struct ProgramCase {
    std::string Name;
    std::string Arguments;
    int Status;
    std::string Output; // stdout and stderr together
};

class StationProgramTest : public ::testing::TestWithParam<ProgramCase> {};

ShellRun Station(const std::string& program, const std::string& arguments,
                 const std::string& environment = "") {
    return Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + environment + " " +
                 program + " " + arguments + " 2>&1");
}

TEST_P(StationProgramTest, AnswersWithoutADisplay) {
    const ShellRun run = Station(TEVRIX_STATION_PROGRAM, GetParam().Arguments);
    EXPECT_EQ(run.Status, GetParam().Status);
    EXPECT_NE(run.Out.find(GetParam().Output), std::string::npos) << run.Out;
}

INSTANTIATE_TEST_SUITE_P(
    Options, StationProgramTest,
    ::testing::Values(
        ProgramCase{"help", "--help", 0, "usage: tevrix-student [OPTIONS] [TEST.tvf]\n"},
        ProgramCase{"version", "--version", 0, "TevrixStudent " TEVRIX_VERSION "\n"},
        ProgramCase{"unknown", "--kiosk", 2,
                    "tevrix-student: unknown option \"--kiosk\" (options: --help, --version, "
                    "--folders, and Qt's -platform, -style, ...)\nsee `tevrix-student --help`\n"}),
    testing::CaseName);

TEST(StationFoldersOfTheProgramTest, TheBuildFolderIsAPortableStation) {
    const std::string dir = fs::path(TEVRIX_STATION_PROGRAM).parent_path().string() + "/";
    const ShellRun run = Station(TEVRIX_STATION_PROGRAM, "--folders");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out,
              "layout: portable\nstation: " + dir + "\ndata: " + dir +
                  "\nstarting configuration: /etc/tevrix-student/TevrixStudent_Config.txt\n");
}

TEST(StationFoldersOfTheProgramTest, AnInstalledCopyUsesTheUsersDataHome) {
    const testing::TempFolder prefix;
    fs::create_directories(prefix.File("bin"));
    fs::create_directories(prefix.File(TEVRIX_DATA_DIR));
    fs::copy_file(TEVRIX_STATION_PROGRAM, prefix.File("bin/tevrix-student"));
    const ShellRun run = Station(prefix.File("bin/tevrix-student"), "--folders",
                                 "XDG_DATA_HOME='" + prefix.File("home data") + "'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out,
              "layout: installed\nstation: " + prefix.File("home data/TevrixStudent/") +
                  "\ndata: " + prefix.File(TEVRIX_DATA_DIR "/") +
                  "\nstarting configuration: /etc/tevrix-student/TevrixStudent_Config.txt\n");
    // Only a start of the window makes the folder.
    EXPECT_FALSE(fs::exists(prefix.File("home data")));
}

} // namespace
} // namespace tevrix
