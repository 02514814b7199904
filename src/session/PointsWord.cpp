// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/PointsWord.h"

#include "text/Translate.h"

namespace tevrix {

std::string PointsWord(long long n) {
    // Remainders keep the sign of n, so every negative n takes "баллов".
    const long long hundreds = n % 100;
    const long long tens = n % 10;
    if (hundreds >= 11 && hundreds <= 20)
        return TranslateText("баллов");
    if (tens == 1)
        return TranslateText("балл");
    if (tens >= 2 && tens <= 4)
        return TranslateText("балла");
    return TranslateText("баллов");
}

} // namespace tevrix
