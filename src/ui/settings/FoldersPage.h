// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

namespace tevrix {

// "Папки и файлы": where tests are chosen and results written, and the
// names of the result files.
class FoldersPage : public SettingsPage {
    Q_OBJECT

public:
    explicit FoldersPage(SettingsDialogServices& services);

private:
    void Fill() override;
    bool Apply() override;
    // An edit with its "Обзор" and "Очистить" buttons.
    QLineEdit* AddFolderRow(QGridLayout* grid, int row, const char* name, const char* caption);

    QLineEdit* m_initialDir;
    QLineEdit* m_resultDir;
    QLineEdit* m_resultFile;
    QLineEdit* m_prefix;
};

} // namespace tevrix
