// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/TextLocale.h"

#include <string>

namespace tevrix {

// The Russian word for points agreeing with n, translated: "балл" (1, 21,
// 101), "балла" (2 to 4, 22, ...) or "баллов" (0, 5 to 20, 111, and every
// negative n).
std::string PointsWord(long long n, const TextLocale& locale);

} // namespace tevrix
