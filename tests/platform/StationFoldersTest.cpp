// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Paths.h"
#include "platform/StationFolders.h"
#include "support/CaseNames.h"
#include "support/FileBytes.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tevrix {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;
using testing::ScopedVariable;
using testing::TempFolder;
using testing::WriteWholeFile;

struct LayoutCase {
    std::string Name;
    StationFolderFacts Facts;
    StationFolders Expected;
};

class StationLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(StationLayoutTest, ChoosesWhereFilesGo) {
    const StationFolders chosen = ChooseStationFolders(GetParam().Facts);
    EXPECT_EQ(chosen.Station, GetParam().Expected.Station);
    EXPECT_EQ(chosen.Data, GetParam().Expected.Data);
    EXPECT_EQ(chosen.Installed, GetParam().Expected.Installed);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, StationLayoutTest,
    ::testing::Values(
        LayoutCase{"portable stick",
                   {"/media/stick/tevrix/", true, "", "/home/pupil/.local/share"},
                   {"/media/stick/tevrix/", "/media/stick/tevrix/", false}},
        LayoutCase{"installed",
                   {"/usr/bin/", false, "/usr/share/tevrix-student/", "/home/pupil/.local/share"},
                   {"/home/pupil/.local/share/TevrixStudent/", "/usr/share/tevrix-student/", true}},
        // root may write to /usr/bin; the data folder beside it still says installed
        LayoutCase{"installed run by root",
                   {"/usr/bin/", true, "/usr/share/tevrix-student/", "/root/.local/share/"},
                   {"/root/.local/share/TevrixStudent/", "/usr/share/tevrix-student/", true}},
        LayoutCase{"read-only share",
                   {"/mnt/school/tevrix/", false, "", "/home/pupil/.local/share"},
                   {"/home/pupil/.local/share/TevrixStudent/", "/mnt/school/tevrix/", true}},
        LayoutCase{"no home",
                   {"/usr/bin/", false, "/usr/share/tevrix-student/", ""},
                   {"/usr/bin/", "/usr/bin/", false}}),
    testing::CaseName);

struct XdgCase {
    std::string Name;
    const char* Variable; // nullptr: unset
    std::string Expected;
};

class XdgBaseDirTest : public ::testing::TestWithParam<XdgCase> {};

TEST_P(XdgBaseDirTest, FollowsTheVariableThenHome) {
    const ScopedVariable home("HOME", "/home/ученик");
    const ScopedVariable variable("XDG_DATA_HOME", "");
    if (GetParam().Variable)
        ::setenv("XDG_DATA_HOME", GetParam().Variable, 1);
    else
        ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(XdgBaseDir("XDG_DATA_HOME", ".local/share"), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Variables, XdgBaseDirTest,
                         ::testing::Values(XdgCase{"absolute", "/srv/data", "/srv/data"},
                                           XdgCase{"relative", "data", "/home/ученик/.local/share"},
                                           XdgCase{"empty", "", "/home/ученик/.local/share"},
                                           XdgCase{"unset", nullptr, "/home/ученик/.local/share"}),
                         testing::CaseName);

TEST(StationFolderFactsTest, DescribeTheRunningProgram) {
    const ScopedVariable data("XDG_DATA_HOME", "/srv/data");
    const StationFolderFacts facts = StationFolderFactsOfThisProcess();
    EXPECT_EQ(facts.ExecutableDir, ExecutableDir());
    EXPECT_EQ(facts.DataHome, "/srv/data");
    // The tests run from the build folder: no installation beside them.
    EXPECT_EQ(facts.InstalledDataDir, "");
}

// An installed station's folder below a home of its own, with the school's
// starting files in a folder standing for /etc.
class PrepareStationFolderTest : public ::testing::Test {
protected:
    StationFolders Installed() const {
        return {m_home.File("share/TevrixStudent/"), "/usr/share/tevrix-student/", true};
    }
    std::string School(const std::string& name, const std::string& text) const {
        WriteWholeFile(m_etc.File(name), text);
        return m_etc.File(name);
    }

    TempFolder m_home;
    TempFolder m_etc;
};

TEST_F(PrepareStationFolderTest, CreatesTheFolderAndCopiesTheSchoolsStartingFiles) {
    const std::vector<std::string> starting = {School("TevrixStudent_Config.txt", "[Net]\r\n"),
                                               m_etc.File("language.txt")};
    ASSERT_TRUE(PrepareStationFolder(Installed(), starting));
    EXPECT_TRUE(fs::is_directory(Installed().Station));
    EXPECT_EQ(ReadWholeFile(Installed().Station + "TevrixStudent_Config.txt"), "[Net]\r\n");
    // A starting file the school did not provide is simply not there.
    EXPECT_FALSE(fs::exists(Installed().Station + "language.txt"));
}

TEST_F(PrepareStationFolderTest, KeepsThePupilsOwnCopy) {
    fs::create_directories(Installed().Station);
    WriteWholeFile(Installed().Station + "language.txt", "language=uk\r\n");
    ASSERT_TRUE(PrepareStationFolder(Installed(), {School("language.txt", "language=be\r\n")}));
    EXPECT_EQ(ReadWholeFile(Installed().Station + "language.txt"), "language=uk\r\n");
}

TEST_F(PrepareStationFolderTest, LeavesAPortableStationAlone) {
    const StationFolders portable{m_home.File("stick/"), m_home.File("stick/"), false};
    EXPECT_TRUE(PrepareStationFolder(portable, {School("language.txt", "language=uk\r\n")}));
    EXPECT_FALSE(fs::exists(portable.Station));
}

TEST_F(PrepareStationFolderTest, FailsWhenTheFolderCannotBeMade) {
    WriteWholeFile(m_home.File("share"), "a file where the folder should go");
    EXPECT_FALSE(PrepareStationFolder(Installed(), {School("language.txt", "language=uk\r\n")}));
}

} // namespace
} // namespace tevrix
