// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/IdentityCheck.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

IdentityPatterns DefaultPatterns() {
    return {"^[А-Я]{1}[а-я]{1,} [А-Я]{1}[а-я]{1,}$", "^[1-9]{1}[0-1]{0,1} [А-Яа-я]{1}$",
            "Иванов Иван", "10 А"};
}

struct IdentityCase {
    const char* Name;
    const char* Group;
    const char* NormalName;
    const char* NormalGroup;
    IdentityField Failed;
    const char* Example;
};

class CheckIdentityTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(CheckIdentityTest, NormalisesAndChecksBothFields) {
    const IdentityCase& c = GetParam();
    const IdentityCheckResult result =
        CheckIdentity(c.Name, c.Group, DefaultPatterns(), TextLocale{});
    EXPECT_EQ(result.Name, c.NormalName);
    EXPECT_EQ(result.Group, c.NormalGroup);
    EXPECT_EQ(result.Failed, c.Failed);
    EXPECT_EQ(result.PatternError, "");
    if (c.Failed == IdentityField::None) {
        EXPECT_EQ(result.BalloonText, "");
    } else {
        EXPECT_EQ(result.BalloonHeader, "Ошибка ввода!");
        EXPECT_EQ(result.BalloonText,
                  std::string("Не соответствует шаблону!\n\rОбразец: \"") + c.Example + "\".");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckIdentityTest,
    ::testing::Values(
        IdentityCase{"  Иванов   Иван ", "10 А", "Иванов Иван", "10 А", IdentityField::None, ""},
        IdentityCase{"Ёлкин Пётр", "11 б", "Ёлкин Пётр", "11 б", IdentityField::None, ""},
        IdentityCase{"  иванов   Иван ", "10 А", "иванов Иван", "10 А", IdentityField::Name,
                     "Иванов Иван"},
        IdentityCase{"Иванов Иван", "12 А", "Иванов Иван", "12 А", IdentityField::Group, "10 А"},
        // Both fail: the balloon points at the name.
        IdentityCase{"x", "\t12  А\r\n", "x", "12 А", IdentityField::Name, "Иванов Иван"}),
    testing::CaseName);

TEST(CheckIdentityTest, EmptyPatternsLetEverythingPass) {
    const IdentityCheckResult result = CheckIdentity(" ", "", IdentityPatterns{}, TextLocale{});
    EXPECT_EQ(result.Failed, IdentityField::None);
    EXPECT_EQ(result.Name, "");
}

TEST(CheckIdentityTest, InvalidPatternIsReportedAndNeverPasses) {
    IdentityPatterns patterns = DefaultPatterns();
    patterns.GroupExpression = "([0-9]";
    const IdentityCheckResult result = CheckIdentity("Иванов Иван", "10 А", patterns, TextLocale{});
    EXPECT_EQ(result.Failed, IdentityField::Group);
    EXPECT_NE(result.PatternError, "");
}

} // namespace
} // namespace tevrix
