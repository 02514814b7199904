// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/Transcript.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct BreakCase {
    std::string Name;
    std::string Text;
    std::string Printed;
};

class TranscriptBreakTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(TranscriptBreakTest, ShowsEveryKindOfLineBreak) {
    Transcript transcript;
    transcript.Add({"message", "Tevrix", GetParam().Text, "OK"});
    EXPECT_EQ(transcript.Print(), "message [Tevrix] " + GetParam().Printed + " -> OK\n");
}

INSTANTIATE_TEST_SUITE_P(Breaks, TranscriptBreakTest,
                         ::testing::Values(BreakCase{"none", "один", "один"},
                                           BreakCase{"CR LF", "один\r\nдва", "один\n    два"},
                                           BreakCase{"LF", "один\nдва", "один\\n\n    два"},
                                           BreakCase{"CR", "один\rдва", "один\\r\n    два"},
                                           BreakCase{"LF CR", "один\n\rдва", "один\\n\\r\n    два"},
                                           BreakCase{"CR LF twice", "а\r\n\r\nб", "а\n    \n    б"},
                                           BreakCase{"LF at the end", "а\n", "а\\n\n    "}),
                         testing::CaseName);

} // namespace
} // namespace tevrix
