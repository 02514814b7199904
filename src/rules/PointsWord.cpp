// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/PointsWord.h"

namespace tevrix {

std::string PointsWord(long long n, const TextLocale& locale) {
    // Remainders keep the sign of n, so every negative n takes "баллов".
    const long long hundreds = n % 100;
    const long long tens = n % 10;
    if (hundreds >= 11 && hundreds <= 20)
        return locale.Tr("баллов");
    if (tens == 1)
        return locale.Tr("балл");
    if (tens >= 2 && tens <= 4)
        return locale.Tr("балла");
    return locale.Tr("баллов");
}

} // namespace tevrix
