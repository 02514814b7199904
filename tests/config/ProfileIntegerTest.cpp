// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ProfileInteger.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace tevrix {
namespace {

struct NumberCase {
    std::string Text;
    std::optional<int32_t> Expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.Text;
}

class ProfileIntegerTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ProfileIntegerTest, ReadsDecimalAndPrefixedHexadecimal) {
    EXPECT_EQ(ParseProfileInteger(GetParam().Text), GetParam().Expected) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProfileIntegerTest,
    ::testing::Values(NumberCase{"5005", 5005}, NumberCase{"0", 0}, NumberCase{"-12", -12},
                      NumberCase{"+7", 7}, NumberCase{"007", 7}, NumberCase{"0x1F40", 8000},
                      NumberCase{"0X1f40", 8000}, NumberCase{"$1F40", 8000}, NumberCase{"$ff", 255},
                      NumberCase{"2147483647", 2147483647},
                      NumberCase{"-2147483648", -2147483647 - 1},
                      // Hexadecimal fills all 32 bits, as colours need.
                      NumberCase{"0xFFFFFFFF", -1}, NumberCase{"0x00000000FF", 255},
                      // No number at all.
                      NumberCase{"", std::nullopt}, NumberCase{"abc", std::nullopt},
                      NumberCase{"12a", std::nullopt}, NumberCase{"1 2", std::nullopt},
                      NumberCase{"-", std::nullopt}, NumberCase{"0x", std::nullopt},
                      NumberCase{"$", std::nullopt}, NumberCase{"0xG1", std::nullopt},
                      NumberCase{"-0x10", std::nullopt}, NumberCase{"1.5", std::nullopt},
                      NumberCase{"2147483648", std::nullopt},
                      NumberCase{"-2147483649", std::nullopt},
                      NumberCase{"0x100000000", std::nullopt},
                      NumberCase{"99999999999999999999999", std::nullopt}),
    testing::CaseName);

} // namespace
} // namespace tevrix
