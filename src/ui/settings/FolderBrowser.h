// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace tevrix {

// The folder browser of the settings ("Пожалуйста, выберите папку"), limited
// to folders of the file system and starting at `start`: the chosen folder,
// or nothing when it was cancelled.
std::optional<QString> BrowseForFolder(QWidget* parent, const QString& start);

} // namespace tevrix
