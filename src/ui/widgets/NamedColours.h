// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's named colours the station's windows are drawn in.

#include <QColor>

namespace tevrix {

inline const QColor kGrey(128, 128, 128);
inline const QColor kGreen(0, 128, 0);
inline const QColor kMaroon(128, 0, 0);

} // namespace tevrix
