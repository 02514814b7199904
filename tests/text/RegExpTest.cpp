// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CaseNames.h"
#include "text/RegExp.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

// The station's default identification patterns.
constexpr const char* kNamePattern = "^[А-Я]{1}[а-я]{1,} [А-Я]{1}[а-я]{1,}$";
constexpr const char* kGroupPattern = "^[1-9]{1}[0-1]{0,1} [А-Яа-я]{1}$";

struct RewriteCase {
    const char* Pattern;
    const char* Expected;
};

class WidenCyrillicRangesTest : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(WidenCyrillicRangesTest, RewritesOnlyTheCyrillicRangesOfClasses) {
    EXPECT_EQ(WidenCyrillicRanges(GetParam().Pattern), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, WidenCyrillicRangesTest,
    ::testing::Values(RewriteCase{"[а-я]", "[а-яё]"}, RewriteCase{"[А-Я]", "[А-ЯЁ]"},
                      RewriteCase{"[а-Я]", "[А-яЁё]"}, RewriteCase{"[^А-Яа-я]", "[^А-ЯЁа-яё]"},
                      RewriteCase{kNamePattern, "^[А-ЯЁ]{1}[а-яё]{1,} [А-ЯЁ]{1}[а-яё]{1,}$"},
                      // Outside a class а-я is three literal characters.
                      RewriteCase{"а-я", "а-я"},
                      // Other ranges, escapes, quotes and POSIX classes stay.
                      RewriteCase{"[А-я]", "[А-я]"}, RewriteCase{"[б-я]", "[б-я]"},
                      RewriteCase{"\\[а-я]", "\\[а-я]"}, RewriteCase{"[\\]а-я]", "[\\]а-яё]"},
                      RewriteCase{"[]а-я]", "[]а-яё]"},
                      RewriteCase{"\\Q[а-я]\\E[а-я]", "\\Q[а-я]\\E[а-яё]"},
                      RewriteCase{"[[:digit:]а-я]", "[[:digit:]а-яё]"},
                      // A range ending in а is not the start of another range.
                      RewriteCase{"[Я-а-я]", "[Я-а-я]"},
                      // Unfinished patterns are copied; the engine judges them.
                      RewriteCase{"[а-", "[а-"}, RewriteCase{"\\", "\\"}),
    testing::CaseName);

struct MatchCase {
    const char* Pattern;
    const char* Text;
    bool Matches;
};

class RegExpSearchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(RegExpSearchTest, MatchesAnywhereAndCaseSensitively) {
    const RegExp expression(GetParam().Pattern);
    ASSERT_TRUE(expression.IsValid()) << expression.Error();
    EXPECT_EQ(expression.Search(GetParam().Text), GetParam().Matches)
        << GetParam().Pattern << " on " << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, RegExpSearchTest,
    ::testing::Values(
        MatchCase{kNamePattern, "Иванов Иван", true}, MatchCase{kNamePattern, "Ёлкин Пётр", true},
        MatchCase{kNamePattern, "иванов Иван", false},
        MatchCase{kNamePattern, "Иванов  Иван", false},
        MatchCase{kNamePattern, "Ivanov Ivan", false}, MatchCase{kGroupPattern, "10 А", true},
        MatchCase{kGroupPattern, "11 б", true}, MatchCase{kGroupPattern, "9 ё", true},
        MatchCase{kGroupPattern, "12 А", false}, MatchCase{kGroupPattern, "0 А", false},
        // а-Я is every Cyrillic letter of both cases.
        MatchCase{"^[а-Я]+$", "ЁжикЯёА", true}, MatchCase{"^[а-Я]+$", "Ёжик1", false},
        // No implicit anchors; case counts.
        MatchCase{"моск", "Большая Москва и москва", true}, MatchCase{"МОСК", "москва", false},
        MatchCase{"", "", true}, MatchCase{"^$", "", true}, MatchCase{"a", "", false}),
    testing::CaseName);

TEST(RegExpTest, PatternThatDoesNotCompileIsReportedAndMatchesNothing) {
    for (const char* bad : {"(", "[а-", "a{2,1}", "[я-а]", "*"}) {
        const RegExp expression(bad);
        EXPECT_FALSE(expression.IsValid()) << bad;
        EXPECT_FALSE(expression.Error().empty()) << bad;
        EXPECT_FALSE(expression.Search(bad)) << bad;
        EXPECT_FALSE(expression.Search("")) << bad;
    }
}

TEST(RegExpTest, ValidPatternHasNoError) {
    const RegExp expression(kGroupPattern);
    EXPECT_TRUE(expression.IsValid());
    EXPECT_EQ(expression.Error(), "");
}

TEST(RegExpTest, TextThatIsNotUtf8DoesNotMatch) {
    const RegExp expression("a");
    EXPECT_FALSE(expression.Search("a\xff"));
}

TEST(RegExpTest, MovedExpressionKeepsItsPattern) {
    RegExp first("^[а-я]+$");
    RegExp second(std::move(first));
    EXPECT_TRUE(second.Search("ёж"));
    RegExp third("x");
    third = std::move(second);
    EXPECT_TRUE(third.Search("ёлка"));
    EXPECT_FALSE(third.Search("x"));
}

} // namespace
} // namespace tevrix
