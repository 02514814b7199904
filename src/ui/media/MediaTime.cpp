// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/media/MediaTime.h"

namespace tevrix {

QString FormatMediaTime(qint64 milliseconds) {
    const qint64 seconds = milliseconds / 1000;
    const qint64 minutes = seconds / 60;
    return QString::asprintf("%.2lld:%.2lld", minutes, seconds - 60 * minutes);
}

int MediaPercent(qint64 position, qint64 length) {
    if (length <= 0)
        return 0;
    const qint64 scaled = position * 100;
    qint64 quotient = scaled / length;
    const qint64 twiceRest = 2 * (scaled % length);
    if (twiceRest > length || (twiceRest == length && quotient % 2 != 0))
        ++quotient;
    return int(quotient);
}

} // namespace tevrix
