// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CaseNames.h"
#include "text/Strings.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct Case {
    const char* Input;
    const char* Expected;
};

class TrimTest : public ::testing::TestWithParam<Case> {};

TEST_P(TrimTest, RemovesBlanksAndControlsAtBothEnds) {
    EXPECT_EQ(Trim(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimTest,
                         ::testing::Values(Case{"", ""}, Case{"   ", ""}, Case{"\t\r\n", ""},
                                           Case{"  Иванов  ", "Иванов"},
                                           Case{"\x01Петров\x1F", "Петров"}, Case{" a b ", "a b"},
                                           Case{"x", "x"}),
                         testing::CaseName);

class UpperCaseTest : public ::testing::TestWithParam<Case> {};

TEST_P(UpperCaseTest, UpperCasesLatinAndCyrillic) {
    EXPECT_EQ(UpperCase(GetParam().Input), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, UpperCaseTest,
                         ::testing::Values(Case{"abc xyz", "ABC XYZ"}, Case{"привет", "ПРИВЕТ"},
                                           Case{"ёлка", "ЁЛКА"},
                                           Case{"їжак і ґанок є", "ЇЖАК І ҐАНОК Є"},
                                           Case{"ўсё", "ЎСЁ"}, Case{"école ÿ", "ÉCOLE Ÿ"},
                                           Case{"12 + ÷ №", "12 + ÷ №"}, Case{"ПРИВЕТ", "ПРИВЕТ"},
                                           Case{"ѣ ӏ ӂ", "Ѣ Ӏ Ӂ"}),
                         testing::CaseName);

TEST(UpperCaseTest, KeepsBytesThatAreNotUtf8) {
    EXPECT_EQ(UpperCase("a\xFF"
                        "b"),
              "A\xFF"
              "B");
}

TEST(EqualsIgnoringAsciiCaseTest, IgnoresTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(EqualsIgnoringAsciiCase("OpenSymbol", "opensymbol"));
    EXPECT_TRUE(EqualsIgnoringAsciiCase("HYPERLINK", "hyperLink"));
    EXPECT_TRUE(EqualsIgnoringAsciiCase("", ""));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("Symbol", "Symbo"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("Symbol", "Symbol "));
    EXPECT_FALSE(
        EqualsIgnoringAsciiCase("[", "{")); // 0x5B and 0x7B differ by 0x20 but are no letters
    EXPECT_FALSE(EqualsIgnoringAsciiCase("Шрифт", "шрифт"));
}

} // namespace
} // namespace tevrix
