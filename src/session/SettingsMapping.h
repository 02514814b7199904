// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Settings.h"
#include "results/ResultOutputSettings.h"
#include "rules/RightAnswer.h"

#include <string>

namespace tevrix {

// The settings the result outputs read, taken from the station's settings;
// `programDir` is the station's folder (ending with '/').
ResultOutputSettings ResultOutputSettingsOf(const Settings& settings,
                                            const std::string& programDir);

// The colours of a right answer shown after a wrong one.
AnswerColors AnswerColorsOf(const Settings& settings);

} // namespace tevrix
