// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/FolderBrowser.h"

#include "ui/UiText.h"

#include <QDir>
#include <QFileDialog>

namespace tevrix {

std::optional<QString> BrowseForFolder(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent, Tr("Пожалуйста, выберите папку"), start);
    dialog.setObjectName("FolderBrowser");
    dialog.setAccessibleName(dialog.windowTitle());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

} // namespace tevrix
