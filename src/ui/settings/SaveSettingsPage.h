// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

namespace tevrix {

// "Сохр. параметров": window settings and saving the settings on exit,
// changed at once, and loading or saving the settings now.
class SaveSettingsPage : public SettingsPage {
    Q_OBJECT

public:
    explicit SaveSettingsPage(SettingsDialogServices& services);

private:
    void Fill() override;

    QCheckBox* m_useWindowSettings;
    QCheckBox* m_saveConfig;
};

} // namespace tevrix
