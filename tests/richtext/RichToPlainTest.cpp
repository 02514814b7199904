// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RichToPlain.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct Case {
    const char* Name;
    const char* Text;
    const char* Expected;
};

class RichToPlainTest : public ::testing::TestWithParam<Case> {};

TEST_P(RichToPlainTest, GivesTheTrimmedPlainText) {
    EXPECT_EQ(RichToPlain(RichText{GetParam().Text}), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RichToPlainTest,
    ::testing::Values(
        Case{"Empty", "", ""}, Case{"OnlyBlanksRtf", R"({\rtf1 \par  \tab \line \par})", ""},
        Case{"OnlyBlanksPlain", " \r\n\t \r\n", ""},
        Case{"TrimmedAtBothEnds", R"({\rtf1 \par \tab  Answer \line\par\par})", "Answer"},
        Case{"InnerBreaksKept", R"({\rtf1 a\par\par b\line c\tab d})", "a\n\nb\nc\td"},
        Case{"PicturesLeaveNothing", R"({\rtf1 a{\pict\pngblip 0102}b})", "ab"},
        Case{"TableCellsAndRows", R"({\rtf1\trowd\cellx1\cellx2\intbl a\cell b\cell\row})", "a\tb"},
        Case{"PlainTextIsWindows1251", "  \xc4\xe0\r\n\xcd\xe5\xf2  ", "Да\nНет"},
        Case{"NonBreakingSpaceIsNoBlank", R"({\rtf1 \~x\~})", "\u00A0x\u00A0"}),
    testing::CaseName);

} // namespace
} // namespace tevrix
