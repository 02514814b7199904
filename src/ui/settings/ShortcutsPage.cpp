// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/ShortcutsPage.h"

#include "ui/UiText.h"
#include "ui/dialogs/MessageBoxes.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tevrix {

ShortcutsPage::ShortcutsPage(SettingsDialogServices& services)
    : SettingsPage(services, "TabShortcuts"),
      m_desktop(NewCheckBox("CheckBoxDesktopShortcut", N_("На рабочем столе"))),
      m_menu(NewCheckBox("CheckBoxMenuShortcut", N_("В меню \"Пуск\""))) {
    Body()->addWidget(NewNote(N_("Создать ярлыки для запуска программы:")));
    Body()->addWidget(m_desktop);
    Body()->addWidget(m_menu);
    Body()->addWidget(NewNote(N_("Ярлык в меню попадает в папку \"TevrixX\" меню приложений. "
                                 "Ярлыки создаются для текущего пользователя, права "
                                 "администратора не нужны.")));
    for (QCheckBox* box : {m_desktop, m_menu})
        connect(box, &QCheckBox::clicked, this, &ShortcutsPage::Changed);
}

void ShortcutsPage::Fill() {
    m_desktop->setChecked(false);
    m_menu->setChecked(false);
}

bool ShortcutsPage::Apply() {
    // A launcher that cannot be written shows nothing.
    const DesktopIntegration desktop(Services().Desktop);
    if (m_desktop->isChecked() && desktop.CreateDesktopLauncher())
        ShowPlainMessage(this, TranslateText("Ярлык на Рабочем столе создан."));
    if (m_menu->isChecked() && desktop.CreateMenuLauncher())
        ShowPlainMessage(this, TranslateText("Ярлык в меню \"ПУСК\" создан."));
    return true;
}

} // namespace tevrix
