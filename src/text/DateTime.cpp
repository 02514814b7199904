// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace tevrix {
namespace {

constexpr long long kMsPerDay = 86'400'000;
// Days from 1970-01-01 back to 1899-12-30.
constexpr long long kUnixEpochOleDay = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

} // namespace

double EncodeOleDate(const DateTimeParts& p) {
    const long long days =
        DaysFromCivil(p.Year, static_cast<unsigned>(p.Month), static_cast<unsigned>(p.Day)) +
        kUnixEpochOleDay;
    const double fraction =
        ((p.Hour * 60.0 + p.Minute) * 60.0 + p.Second + p.Millisecond / 1000.0) / 86400.0;
    // Before 1899-12-30 the fraction still counts forward from midnight.
    return days >= 0 ? days + fraction : days - fraction;
}

DateTimeParts DecodeOleDate(double oleDate) {
    DateTimeParts parts;
    if (!std::isfinite(oleDate) || std::fabs(oleDate) > 3e6)
        return parts; // far outside any real date: show the epoch
    const double whole = std::trunc(oleDate);
    long long ms = std::llround(std::fabs(oleDate - whole) * kMsPerDay);
    long long days = static_cast<long long>(whole);
    if (ms >= kMsPerDay) { // rounding reached the next midnight
        ms -= kMsPerDay;
        days += oleDate >= 0 ? 1 : -1;
    }
    CivilFromDays(days - kUnixEpochOleDay, parts.Year, parts.Month, parts.Day);
    parts.Hour = static_cast<int>(ms / 3'600'000);
    parts.Minute = static_cast<int>(ms / 60'000 % 60);
    parts.Second = static_cast<int>(ms / 1000 % 60);
    parts.Millisecond = static_cast<int>(ms % 1000);
    return parts;
}

double NowOleDate() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    return EncodeOleDate({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec, static_cast<int>(ms)});
}

std::string FormatDateTime(std::string_view pattern, double oleDate) {
    const DateTimeParts p = DecodeOleDate(oleDate);
    std::string out;
    size_t i = 0;
    const auto starts = [&](std::string_view token) {
        return pattern.substr(i, token.size()) == token;
    };
    while (i < pattern.size()) {
        if (starts("yyyy")) {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "%04d", p.Year);
            out += buffer;
            i += 4;
        } else if (starts("yy")) {
            out += TwoDigits(((p.Year % 100) + 100) % 100);
            i += 2;
        } else if (starts("dd")) {
            out += TwoDigits(p.Day), i += 2;
        } else if (starts("mm")) {
            out += TwoDigits(p.Month), i += 2;
        } else if (starts("hh")) {
            out += TwoDigits(p.Hour), i += 2;
        } else if (starts("nn")) {
            out += TwoDigits(p.Minute), i += 2;
        } else if (starts("ss")) {
            out += TwoDigits(p.Second), i += 2;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

std::string FormatSecondsAsTime(long long seconds) {
    long long inDay = seconds % 86400;
    if (inDay < 0)
        inDay += 86400;
    return TwoDigits(static_cast<int>(inDay / 3600)) + ":" +
           TwoDigits(static_cast<int>(inDay / 60 % 60)) + ":" +
           TwoDigits(static_cast<int>(inDay % 60));
}

} // namespace tevrix
