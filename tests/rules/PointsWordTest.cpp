// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/PointsWord.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct WordCase {
    long long N;
    const char* Word;
};

class PointsWordTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(PointsWordTest, AgreesWithTheNumber) {
    EXPECT_EQ(PointsWord(GetParam().N, TextLocale{}), GetParam().Word) << GetParam().N;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, PointsWordTest,
    ::testing::Values(WordCase{1, "балл"}, WordCase{21, "балл"}, WordCase{101, "балл"},
                      WordCase{2, "балла"}, WordCase{3, "балла"}, WordCase{4, "балла"},
                      WordCase{22, "балла"}, WordCase{34, "балла"}, WordCase{0, "баллов"},
                      WordCase{5, "баллов"}, WordCase{11, "баллов"}, WordCase{12, "баллов"},
                      WordCase{14, "баллов"}, WordCase{20, "баллов"}, WordCase{25, "баллов"},
                      WordCase{111, "баллов"}, WordCase{112, "баллов"}, WordCase{-1, "баллов"},
                      WordCase{-2, "баллов"}, WordCase{-21, "баллов"}),
    testing::CaseName);

} // namespace
} // namespace tevrix
