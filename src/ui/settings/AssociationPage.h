// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

namespace tevrix {

// "Ассоциация": test files open with this station and show its icon.
class AssociationPage : public SettingsPage {
    Q_OBJECT

public:
    explicit AssociationPage(SettingsDialogServices& services);

private:
    void Fill() override;
    bool Apply() override;

    QCheckBox* m_associate;
};

} // namespace tevrix
