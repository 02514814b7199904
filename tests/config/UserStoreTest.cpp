// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigTestSupport.h"
#include "config/IniFileAccess.h"
#include "config/UserStore.h"
#include "support/CaseNames.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tevrix {
namespace {

using testing::ReadWholeFile;
using testing::ScopedVariable;
using testing::StationBytes;
using testing::WriteWholeFile;
using Values = std::vector<std::pair<std::string, std::string>>;

class UserStoreTest : public testing::ConfigFolderTest {
protected:
    std::string StorePath() const { return Root() + "home/TevrixX/Student.ini"; }
};

TEST_F(UserStoreTest, CreatesItsFileOnTheFirstChange) {
    UserStore store(StorePath());
    EXPECT_EQ(store.RootSection(), "Student");
    EXPECT_EQ(store.ReadString(store.RootSection(), "Password"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(StorePath()));

    ASSERT_TRUE(store.WriteString(store.RootSection(), "Password", "секрет"));
    ASSERT_TRUE(store.WriteString("CountRunTest", "{UID}", "1"));
    EXPECT_EQ(ReadWholeFile(StorePath()), StationBytes("[Student]\nPassword=секрет\n"
                                                       "[CountRunTest]\n{UID}=1\n"));
    // Another copy of the station sees the values at once.
    const UserStore other(StorePath());
    EXPECT_EQ(other.ReadString("Student", "password"), "секрет");
    EXPECT_EQ(other.ReadString("countruntest", "{uid}"), "1");
}

TEST_F(UserStoreTest, OnlyItsOwnerMayReadTheStoreThatHoldsThePassword) {
    UserStore store(StorePath());
    ASSERT_TRUE(store.WriteString(store.RootSection(), "Password", "секрет"));
    const auto perms = std::filesystem::status(StorePath()).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(UserStoreTest, ListsTheValuesOfASubkeyInStoredOrder) {
    std::filesystem::create_directories(Root() + "home/TevrixX");
    WriteWholeFile(StorePath(), StationBytes("[PreviousFiles]\n3=/c.tvf\n1=/a.tvf\nbare\n2=/b.tvf\n"
                                             "[Other]\n9=x\n"));
    const UserStore store(StorePath());
    EXPECT_EQ(store.Values("PreviousFiles"),
              (Values{{"3", "/c.tvf"}, {"1", "/a.tvf"}, {"bare", ""}, {"2", "/b.tvf"}}));
    EXPECT_TRUE(store.Values("Missing").empty());
}

TEST_F(UserStoreTest, ReplacingASubkeyDropsItsOldValuesAndKeepsTheRest) {
    UserStore store(StorePath());
    ASSERT_TRUE(store.WriteString("Student", "Password", "p"));
    ASSERT_TRUE(
        store.ReplaceSubkey("PreviousFiles", {{"1", "/old1"}, {"2", "/old2"}, {"7", "/x"}}));
    ASSERT_TRUE(store.WriteString("CountRunTest", "u", "3"));

    ASSERT_TRUE(store.ReplaceSubkey("PreviousFiles", {{"1", "/new"}}));
    EXPECT_EQ(store.Values("PreviousFiles"), (Values{{"1", "/new"}}));
    ASSERT_TRUE(store.ReplaceSubkey("PreviousFiles", {}));
    EXPECT_EQ(ReadWholeFile(StorePath()),
              StationBytes("[Student]\nPassword=p\n[CountRunTest]\nu=3\n"));
}

TEST_F(UserStoreTest, ValuesThatCannotBeStoredAreLeftOut) {
    UserStore store(StorePath());
    EXPECT_FALSE(store.WriteString("CountRunTest", "a=b", "1"));
    ASSERT_TRUE(
        store.ReplaceSubkey("PreviousFiles", {{"1", "/ok"}, {"2", "/中文"}, {"3", "/ok2"}}));
    EXPECT_EQ(store.Values("PreviousFiles"), (Values{{"1", "/ok"}, {"3", "/ok2"}}));
}

TEST_F(UserStoreTest, DeletingAValueKeepsEveryOtherLine) {
    std::filesystem::create_directories(Root() + "home/TevrixX");
    WriteWholeFile(StorePath(), StationBytes("[Student]\n; kept\nPassword=p\nOther=1\n"
                                             "[CountRunTest]\nPassword=u\n"));
    UserStore store(StorePath());
    ASSERT_TRUE(store.DeleteValue("student", "PASSWORD"));
    EXPECT_EQ(ReadWholeFile(StorePath()), StationBytes("[Student]\n; kept\nOther=1\n"
                                                       "[CountRunTest]\nPassword=u\n"));
    // A value that is not there is gone already, and the file is not written.
    const auto before = std::filesystem::last_write_time(StorePath());
    EXPECT_TRUE(store.DeleteValue("Student", "Password"));
    EXPECT_TRUE(store.DeleteValue("Missing", "Password"));
    EXPECT_EQ(std::filesystem::last_write_time(StorePath()), before);
    EXPECT_EQ(store.ReadString("Student", "Password"), std::nullopt);
}

TEST_F(UserStoreTest, AnUnreadableFileIsNeverOverwritten) {
    std::filesystem::create_directories(Root() + "home/TevrixX");
    const std::string huge = "[Student]\r\nPassword=p\r\n" + std::string(kMaxIniFileSize, ';');
    WriteWholeFile(StorePath(), huge);
    UserStore store(StorePath());
    EXPECT_FALSE(store.WriteString("Student", "Password", "q"));
    EXPECT_FALSE(store.ReplaceSubkey("PreviousFiles", {{"1", "/a"}}));
    EXPECT_FALSE(store.DeleteValue("Student", "Password"));
    EXPECT_EQ(store.ReadString("Student", "Password"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(StorePath()), huge);
}

struct KeyCase {
    std::string Key;
    std::string Expected; // below the configuration home; empty = refused
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.Key;
}

class UserStoreKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(UserStoreKeyTest, MapsARegistryKeyToAFile) {
    const KeyCase& c = GetParam();
    const std::string expected = c.Expected.empty() ? "" : "/home/u/.config" + c.Expected;
    EXPECT_EQ(UserStore::PathForKey("/home/u/.config", c.Key), expected) << c.Key;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, UserStoreKeyTest,
    ::testing::Values(KeyCase{"Software\\TevrixX\\Student", "/TevrixX/Student.ini"},
                      KeyCase{"software\\My Company\\My Program", "/My Company/My Program.ini"},
                      KeyCase{"TevrixX\\Student", "/TevrixX/Student.ini"},
                      KeyCase{"Software\\A\\B\\C", "/A/B/C.ini"},
                      KeyCase{"Software", "/Software.ini"}, KeyCase{"Software\\..\\Student", ""},
                      KeyCase{"Software\\a/b\\c", ""}, KeyCase{"Software\\\\Student", ""},
                      KeyCase{"Software\\TevrixX\\", ""}, KeyCase{"", ""}),
    testing::CaseName);

TEST(UserStorePlacesTest, NeedsAConfigurationHome) {
    EXPECT_EQ(UserStore::PathForKey("", "Software\\TevrixX\\Student"), "");
}

TEST(UserStorePlacesTest, TheStationsStoreIsBelowTheConfigurationHome) {
    const ScopedVariable xdg("XDG_CONFIG_HOME", "/srv/config");
    EXPECT_EQ(UserStore::ForCurrentUser().Path(), "/srv/config/TevrixX/Student.ini");
}

TEST(UserStorePlacesTest, ConfigHomeFollowsXdgThenHome) {
    const ScopedVariable home("HOME", "/home/ученик");
    {
        const ScopedVariable xdg("XDG_CONFIG_HOME", "/srv/config");
        EXPECT_EQ(UserStore::ConfigHome(), "/srv/config");
    }
    const ScopedVariable relative("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(UserStore::ConfigHome(), "/home/ученик/.config");
}

} // namespace
} // namespace tevrix
