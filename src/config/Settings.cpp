// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/Settings.h"

namespace tevrix {

void SetDefaultSettings(Settings& settings) {
    settings = Settings{};
}

} // namespace tevrix
