// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The galleries' interface language: TEVRIX_LANGUAGE ("ru", "uk" or "be"),
// Russian when unset, from the catalogues the build compiled.

#include "text/InterfaceLanguage.h"

#include <QString>

namespace tevrix {

inline void UseGalleryLanguage() {
    BindCatalogues(TEVRIX_CATALOGUE_DIR);
    UseLanguage(
        qEnvironmentVariable("TEVRIX_LANGUAGE", QString::fromLatin1(kRussian)).toStdString());
}

} // namespace tevrix
