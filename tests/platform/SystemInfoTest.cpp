// SPDX-License-Identifier: GPL-3.0-or-later
// The station and user names a result record carries.
#include "platform/SystemInfo.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace tevrix {
namespace {

struct NameCase {
    const char* Name;
    const char* Expected;
};

class SystemNameRule : public ::testing::TestWithParam<NameCase> {};

TEST_P(SystemNameRule, KeepsNamesOfUpToFifteenCharacters) {
    EXPECT_EQ(FitSystemName(GetParam().Name), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Names, SystemNameRule,
                         ::testing::Values(NameCase{"", ""}, NameCase{"pc7", "pc7"},
                                           NameCase{"abcdefghijklmno", "abcdefghijklmno"}, // 15
                                           NameCase{"abcdefghijklmnop", ""}, // 16: not cut, emptied
                                           NameCase{"учительский-пк7",
                                                    "учительский-пк7"}, // 15 letters, 29 bytes
                                           NameCase{"учительский-пк77", ""}),
                         testing::CaseName);

TEST(SystemInfo, ComputerNameIsTheShortHostName) {
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    const std::string shortName = std::string(host).substr(0, std::string(host).find('.'));
    EXPECT_EQ(ComputerName(), FitSystemName(shortName));
}

TEST(SystemInfo, ComputerUserNameIsTheLoginName) {
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(ComputerUserName(), FitSystemName(entry->pw_name));
}

} // namespace
} // namespace tevrix
