// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CaseNames.h"
#include "text/DateTime.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

struct DateCase {
    double Ole;
    const char* Text; // "dd.mm.yyyy hh:nn:ss"
};

class OleDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(OleDateTest, FormatsAndEncodesBack) {
    const DateCase& c = GetParam();
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss", c.Ole), c.Text);
    EXPECT_NEAR(EncodeOleDate(DecodeOleDate(c.Ole)), c.Ole, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Dates, OleDateTest,
                         ::testing::Values(DateCase{0, "30.12.1899 00:00:00"},
                                           DateCase{2, "01.01.1900 00:00:00"},
                                           DateCase{36526, "01.01.2000 00:00:00"},
                                           DateCase{46000.5, "09.12.2025 12:00:00"},
                                           DateCase{45351.75, "29.02.2024 18:00:00"},
                                           DateCase{-1.25, "29.12.1899 06:00:00"}),
                         testing::CaseName);

TEST(DateTimeTest, EncodesPartsWithTheTimeOfDay) {
    const double ole = EncodeOleDate({2026, 12, 10, 8, 5, 9, 0});
    EXPECT_EQ(FormatDateTime("dd.mm.yy", ole), "10.12.26");
    EXPECT_EQ(FormatDateTime("hh:nn", ole), "08:05");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", ole), "08:05:09");
}

TEST(DateTimeTest, RoundsToTheNearestMillisecondAcrossMidnight) {
    const double justBeforeMidnight = 36526.0 - 0.0001 / 86400.0;
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss", justBeforeMidnight), "01.01.2000 00:00:00");
}

TEST(DateTimeTest, AbsurdValuesShowTheEpochInsteadOfFailing) {
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy", 1e300), "30.12.1899");
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy", 0.0 / 0.0), "30.12.1899");
}

TEST(DateTimeTest, NowIsToday) {
    const double now = NowOleDate();
    EXPECT_GT(now, 46000); // after December 2025
    EXPECT_LT(now, 60000);
}

struct SecondsCase {
    long long Seconds;
    const char* Text;
};

class SecondsAsTimeTest : public ::testing::TestWithParam<SecondsCase> {};

TEST_P(SecondsAsTimeTest, ShowsSecondsAsATimeOfDay) {
    EXPECT_EQ(FormatSecondsAsTime(GetParam().Seconds), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Cases, SecondsAsTimeTest,
                         ::testing::Values(SecondsCase{0, "00:00:00"}, SecondsCase{9, "00:00:09"},
                                           SecondsCase{3725, "01:02:05"},
                                           SecondsCase{86399, "23:59:59"},
                                           SecondsCase{86400 + 61, "00:01:01"}),
                         testing::CaseName);

} // namespace
} // namespace tevrix
