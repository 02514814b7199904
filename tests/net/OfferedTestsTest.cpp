// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/OfferedTests.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct NameCase {
    std::string Line;
    std::string Name;
};

class OfferedTestFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(OfferedTestFileNameTest, IsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(OfferedTestFileName(GetParam().Line), GetParam().Name);
}

INSTANTIATE_TEST_SUITE_P(Lines, OfferedTestFileNameTest,
                         ::testing::Values(NameCase{"C:\\Tests\\7 класс\\Дроби.tvf", "Дроби.tvf"},
                                           NameCase{"D:geo.tvf", "geo.tvf"},
                                           NameCase{"/srv/tests/bio.tvf", "bio.tvf"},
                                           NameCase{"plain.tvf", "plain.tvf"},
                                           NameCase{"C:\\Tests\\", ""}, NameCase{"", ""}),
                         testing::CaseName);

TEST(OfferedTestItemsTest, NumbersTheFileNamesFromOne) {
    EXPECT_EQ(OfferedTestItems({"C:\\Tests\\a.tvf", "b.tvf", "x:y\\c.tvf"}),
              (std::vector<std::string>{"1) a.tvf", "2) b.tvf", "3) c.tvf"}));
    EXPECT_TRUE(OfferedTestItems({}).empty());
}

} // namespace
} // namespace tevrix
