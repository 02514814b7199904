// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/Translate.h"

#include <QString>

#include <string>

namespace tevrix {

// An interface text of the window, through the interface translation.
inline QString Tr(const char* source) {
    return QString::fromStdString(TranslateText(source));
}

inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

// The application's title: the caption of plain message boxes.
inline constexpr const char* kApplicationTitle = "TevrixStudent";

} // namespace tevrix
