// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/NumberMatching.h"
#include "support/CaseNames.h"
#include "support/TaskBuilders.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using namespace tevrix::testing;

struct ReadCase {
    const char* Text;
    char Separator;
    std::optional<double> Expected;
};

class ReadNumberFieldTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberFieldTest, ReadsDecimalsWithTheSystemSeparator) {
    EXPECT_EQ(ReadNumberField(GetParam().Text, GetParam().Separator), GetParam().Expected)
        << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadNumberFieldTest,
                         ::testing::Values(ReadCase{"", ',', std::nullopt},
                                           ReadCase{" \t ", ',', std::nullopt},
                                           ReadCase{"7", ',', 7.0}, ReadCase{" 7,0 ", ',', 7.0},
                                           ReadCase{"-1,5", ',', -1.5}, ReadCase{"+2", ',', 2.0},
                                           ReadCase{",5", ',', 0.5}, ReadCase{"3,", ',', 3.0},
                                           ReadCase{"1,5e2", ',', 150.0}, ReadCase{"1.5", '.', 1.5},
                                           // Not a number in the system's form: 0.
                                           ReadCase{"1.5", ',', 0.0}, ReadCase{"1,5", '.', 0.0},
                                           ReadCase{"abc", ',', 0.0}, ReadCase{"-", ',', 0.0},
                                           ReadCase{"1,2,3", ',', 0.0}, ReadCase{"1e", ',', 0.0},
                                           ReadCase{"1e999", ',', 0.0}, ReadCase{"- 1", ',', 0.0}),
                         testing::CaseName);

std::vector<NumberSlotMark> Marks(const NumberMatchingResult& result) {
    std::vector<NumberSlotMark> marks;
    for (const NumberSlotVerdict& slot : result.Slots)
        marks.push_back(slot.Mark);
    return marks;
}

std::vector<int> Assigned(const NumberMatchingResult& result) {
    std::vector<int> numbers;
    for (const NumberSlotVerdict& slot : result.Slots)
        numbers.push_back(slot.AssignedNumber);
    return numbers;
}

using M = NumberSlotMark;

struct MatchCase {
    std::string Name;
    TTask Task;
    std::vector<int32_t> Order;
    std::vector<std::string> Fields;
    std::vector<int> Assigned;
    std::vector<NumberSlotMark> Marks;
};

void PrintTo(const MatchCase& c, std::ostream* out) {
    *out << c.Name;
}

class MatchNumbersTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchNumbersTest, AssignsAndMarksEveryField) {
    const MatchCase& c = GetParam();
    const NumberMatchingResult result = MatchNumbers(c.Task, c.Order, c.Fields, ',');
    EXPECT_EQ(Assigned(result), c.Assigned);
    EXPECT_EQ(Marks(result), c.Marks);
}

INSTANTIATE_TEST_SUITE_P(Cases, MatchNumbersTest,
                         ::testing::Values(
                             // Number 0 (1..2) takes the second field, number 1 (1..5) the first,
                             // whose range also holds the later 2.
                             MatchCase{"crossed",
                                       NumberTask({{1, 2}, {1, 5}}, false),
                                       {0, 1},
                                       {"4", "2"},
                                       {1, 0},
                                       {M::Duplicate, M::Duplicate}},
                             MatchCase{"crossed_apart",
                                       NumberTask({{1, 2}, {6, 9}}, false),
                                       {0, 1},
                                       {"7", "2"},
                                       {1, 0},
                                       {M::Right, M::Right}},
                             MatchCase{"both_duplicate",
                                       NumberTask({{1, 2}, {1, 5}}, false),
                                       {0, 1},
                                       {"2", "2"},
                                       {0, 1},
                                       {M::Duplicate, M::Duplicate}},
                             MatchCase{"second_unmatched_gets_number_1",
                                       NumberTask({{1, 2}, {1, 5}}, false),
                                       {0, 1},
                                       {"2", "9"},
                                       {0, 1},
                                       {M::Right, M::Wrong}},
                             MatchCase{"later_field_in_matched_range",
                                       NumberTask({{1, 5}, {10, 20}}, false),
                                       {0, 1},
                                       {"3", "4"},
                                       {0, 1},
                                       {M::Duplicate, M::Duplicate}},
                             // An empty later field counts as 0 in the duplicate step only.
                             MatchCase{"empty_later_field_counts_as_zero",
                                       NumberTask({{0, 1}, {5, 6}}, false),
                                       {0, 1},
                                       {"0", ""},
                                       {0, 1},
                                       {M::Duplicate, M::Duplicate}},
                             MatchCase{"unmatched_numbers_fill_free_fields",
                                       NumberTask({{1, 1}, {2, 2}, {3, 3}}, false),
                                       {2, 0, 1},
                                       {"9", "3", "8"},
                                       {0, 2, 1},
                                       {M::Wrong, M::Right, M::Wrong}},
                             MatchCase{"ordered_uses_the_shown_number",
                                       NumberTask({{1, 1}, {2, 2}}, true),
                                       {1, 0},
                                       {"2", "5"},
                                       {1, 0},
                                       {M::Right, M::Wrong}}),
                         testing::CaseName);

TEST(MatchNumbersTest, CountsComeFromMatchingAlone) {
    const NumberMatchingResult result = MatchNumbers(NumberTask({{1, 2}, {1, 5}}, false),
                                                     std::vector<int32_t>{0, 1}, {"2", "2"}, ',');
    EXPECT_TRUE(result.AllRight);
    EXPECT_EQ(result.RightParts, 2);
    EXPECT_EQ(result.WrongParts, 0);
}

TEST(MatchNumbersTest, MissingFieldsAreEmpty) {
    const NumberMatchingResult result =
        MatchNumbers(NumberTask({{1, 1}, {2, 2}}, true), std::vector<int32_t>{0, 1}, {"1"}, ',');
    EXPECT_FALSE(result.AllRight);
    EXPECT_EQ(result.RightParts, 1);
    EXPECT_EQ(result.WrongParts, 1);
}

} // namespace
} // namespace tevrix
