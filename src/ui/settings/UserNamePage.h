// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

#include <array>
#include <string>

namespace tevrix {

// "Имя": how the pupil's name and group are asked for and checked.
class UserNamePage : public SettingsPage {
    Q_OBJECT

public:
    explicit UserNamePage(SettingsDialogServices& services);

private:
    void Fill() override;
    bool Apply() override;
    // The settings of the edits, in their order.
    std::array<std::string*, 8> Targets();
    // A group with the edits "По умолчанию:", "Шаблон:", "Образец:",
    // "Заголовок:"; their object names start with `prefix`.
    QWidget* NewGroup(const char* title, const char* prefix, size_t first);

    std::array<QLineEdit*, 8> m_edits{};
    QCheckBox* m_saveLastUser;
};

} // namespace tevrix
