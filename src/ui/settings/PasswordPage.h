// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

namespace tevrix {

// "Пароль": the password that guards the settings dialog, kept in the user
// store (readable by its owner only).
class PasswordPage : public SettingsPage {
    Q_OBJECT

public:
    explicit PasswordPage(SettingsDialogServices& services);

private:
    void Fill() override;
    bool Apply() override;

    QCheckBox* m_usePassword;
    QLineEdit* m_password;
};

} // namespace tevrix
