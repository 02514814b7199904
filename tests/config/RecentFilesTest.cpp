// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigTestSupport.h"
#include "config/RecentFiles.h"
#include "support/CaseNames.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace tevrix {
namespace {

using testing::ReadWholeFile;
using testing::StationBytes;
using testing::WriteWholeFile;
using Paths = std::vector<std::string>;

RecentFiles Opened(const Paths& paths) {
    RecentFiles recent;
    for (const std::string& path : paths)
        recent.AddRecentFile(path);
    return recent;
}

TEST(RecentFilesTest, KeepsTheFiveMostRecentNewestFirst) {
    const RecentFiles recent =
        Opened({"/t/1.tvf", "/t/2.tvf", "/t/3.tvf", "/t/4.tvf", "/t/5.tvf", "/t/6.tvf"});
    EXPECT_EQ(recent.Items(), (Paths{"/t/6.tvf", "/t/5.tvf", "/t/4.tvf", "/t/3.tvf", "/t/2.tvf"}));
}

struct SameFileCase {
    std::string Name;
    std::string First;
    std::string Again;
};

void PrintTo(const SameFileCase& c, std::ostream* os) {
    *os << c.Name;
}

class RecentFilesSameFileTest : public ::testing::TestWithParam<SameFileCase> {};

TEST_P(RecentFilesSameFileTest, MovesTheFileToTheTopWithoutDuplicate) {
    const SameFileCase& c = GetParam();
    const RecentFiles recent = Opened({c.First, "/t/other.tvf", c.Again});
    EXPECT_EQ(recent.Items(), (Paths{c.Again, "/t/other.tvf"}));
}

INSTANTIATE_TEST_SUITE_P(Cases, RecentFilesSameFileTest,
                         ::testing::Values(SameFileCase{"SamePath", "/t/Тест.tvf", "/t/Тест.tvf"},
                                           SameFileCase{"LetterCase", "/t/Тест.tvf", "/T/тЕСТ.TVF"},
                                           SameFileCase{"Ampersand", "/t/R&D.tvf", "/t/RD.tvf"},
                                           SameFileCase{"AmpersandAndCase", "/t/rd.tvf",
                                                        "/T/&R&D.tvf"}),
                         testing::CaseName);

class RecentFilesStoreTest : public testing::ConfigFolderTest {
protected:
    std::string StorePath() const { return Root() + "Student.ini"; }
};

TEST_F(RecentFilesStoreTest, LoadsInStoredOrderWhateverTheValueNames) {
    // "/A.TVF" is the same file as "/a.tvf" listed before it.
    WriteWholeFile(StorePath(),
                   StationBytes("[PreviousFiles]\n5=/e.tvf\n1=/a.tvf\n2=/b.tvf\n3=/A.TVF\n"));
    RecentFiles recent;
    recent.LoadRecentFiles(UserStore(StorePath()));
    EXPECT_EQ(recent.Items(), (Paths{"/e.tvf", "/a.tvf", "/b.tvf"}));
}

TEST_F(RecentFilesStoreTest, LoadingALongListKeepsTheFirstFiveListed) {
    WriteWholeFile(StorePath(), StationBytes("[PreviousFiles]\n1=/1\n2=/2\n3=/3\n4=/4\n5=/5\n6=/6\n"
                                             "7=/7\n8=/1\n"));
    RecentFiles recent;
    recent.LoadRecentFiles(UserStore(StorePath()));
    EXPECT_EQ(recent.Items(), (Paths{"/1", "/2", "/3", "/4", "/5"}));
}

TEST_F(RecentFilesStoreTest, SavesFromTheTopReplacingTheOldValues) {
    WriteWholeFile(StorePath(), StationBytes("[Student]\nPassword=p\n[PreviousFiles]\n7=/old.tvf\n"
                                             "9=/older.tvf\n"));
    UserStore store(StorePath());
    const RecentFiles recent = Opened({"/t/первый.tvf", "/t/второй.tvf"});
    ASSERT_TRUE(recent.SaveRecentFiles(store));
    EXPECT_EQ(ReadWholeFile(StorePath()),
              StationBytes("[Student]\nPassword=p\n[PreviousFiles]\n1=/t/второй.tvf\n"
                           "2=/t/первый.tvf\n"));
    RecentFiles reloaded;
    reloaded.LoadRecentFiles(store);
    EXPECT_EQ(reloaded.Items(), recent.Items());
}

TEST_F(RecentFilesStoreTest, SavingAnEmptyListDeletesTheSubkey) {
    WriteWholeFile(StorePath(), StationBytes("[PreviousFiles]\n1=/a.tvf\n[Student]\nPassword=p\n"));
    UserStore store(StorePath());
    ASSERT_TRUE(RecentFiles().SaveRecentFiles(store));
    EXPECT_EQ(ReadWholeFile(StorePath()), StationBytes("[Student]\nPassword=p\n"));
}

} // namespace
} // namespace tevrix
