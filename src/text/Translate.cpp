// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Translate.h"

#include <libintl.h>

namespace tevrix {

std::string TranslateText(const char* source) {
    return dgettext("default", source);
}

} // namespace tevrix
