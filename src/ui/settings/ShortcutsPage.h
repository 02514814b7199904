// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

namespace tevrix {

// "Ярлыки": launchers of the station on the desktop and in the
// applications menu.
class ShortcutsPage : public SettingsPage {
    Q_OBJECT

public:
    explicit ShortcutsPage(SettingsDialogServices& services);

private:
    void Fill() override;
    bool Apply() override;

    QCheckBox* m_desktop;
    QCheckBox* m_menu;
};

} // namespace tevrix
