// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Translate.h"

#include <libintl.h>

namespace tevrix {

std::string TranslateText(const char* source) {
    // gettext answers the empty id with the catalogue's header.
    if (source[0] == '\0')
        return {};
    return dgettext("default", source);
}

} // namespace tevrix
