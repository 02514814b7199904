// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tevrix {

// Dates and times travel as OLE Automation dates: days since 30 December 1899
// 00:00 as a double, the fraction being the time of day. All are local time.
struct DateTimeParts {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

double EncodeOleDate(const DateTimeParts& parts);
DateTimeParts DecodeOleDate(double oleDate);

// The current local date and time as an OLE date.
double NowOleDate();

// Formats an OLE date with the patterns the program uses: "dd", "mm", "yyyy",
// "yy", "hh", "nn", "ss"; every other character is copied. So
// "dd.mm.yyyy hh:nn:ss", "hh:nn:ss", "dd.mm.yy" and "hh:nn".
std::string FormatDateTime(std::string_view pattern, double oleDate);

// A count of seconds shown as a time of day, "hh:nn:ss" (wraps after 24 hours).
std::string FormatSecondsAsTime(long long seconds);

// Source of the current time, replaced by a fixed clock in tests.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() const = 0;
};

class SystemClock final : public Clock {
public:
    double Now() const override { return NowOleDate(); }
};

} // namespace tevrix
