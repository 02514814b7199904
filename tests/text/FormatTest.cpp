// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CaseNames.h"
#include "text/Format.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct Case {
    const char* Pattern;
    std::vector<FormatArg> Args;
    char Separator;
    const char* Expected;
};

class FormatTest : public ::testing::TestWithParam<Case> {};

TEST_P(FormatTest, FillsPlaceholders) {
    const Case& c = GetParam();
    EXPECT_EQ(Format(c.Pattern, c.Args, c.Separator), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatTest,
    ::testing::Values(Case{"Файл: \"%s\" с изображением отсутствует!",
                           {std::string("a.png")},
                           '.',
                           "Файл: \"a.png\" с изображением отсутствует!"},
                      Case{"более %d раз", {7LL}, '.', "более 7 раз"},
                      Case{"%d из %d", {-3LL, 10LL}, '.', "-3 из 10"},
                      Case{"%1.1f%%", {66.66}, ',', "66,7%"},
                      Case{"%1.1f%%", {66.66}, '.', "66.7%"}, Case{"%1.1f", {5LL}, ',', "5,0"},
                      Case{"%.2f", {0.125}, '.', "0.12"}, Case{"100%%", {}, '.', "100%"},
                      // A placeholder without a fitting argument stays as it is.
                      Case{"%d и %s", {std::string("x")}, '.', "%d и %s"},
                      Case{"%s %s", {std::string("one")}, '.', "one %s"},
                      Case{"50%", {}, '.', "50%"}),
    testing::CaseName);

TEST(FormatFixedTest, NeverPrintsNotANumber) {
    EXPECT_EQ(FormatFixed(0.0 / 0.0, 1, ','), "0,0");
}

} // namespace
} // namespace tevrix
