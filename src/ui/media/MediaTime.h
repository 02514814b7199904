// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tevrix {

// "mm:ss" of a position in milliseconds: whole seconds, at least two digits
// each; minutes above 99 take as many digits as they need.
QString FormatMediaTime(qint64 milliseconds);

// The position as a percentage of the length, rounded to the nearest whole
// number, halves to the even one; 0 for a medium without length.
int MediaPercent(qint64 position, qint64 length);

} // namespace tevrix
