// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/PasswordPage.h"

#include "config/SettingsFile.h"
#include "text/Strings.h"
#include "ui/UiText.h"
#include "ui/dialogs/MessageBoxes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tevrix {

PasswordPage::PasswordPage(SettingsDialogServices& services)
    : SettingsPage(services, "TabPassword"),
      m_usePassword(
          NewCheckBox("CheckBoxUsePassword", N_("Использовать пароль для доступа к настройкам"))) {
    auto* grid = new QGridLayout;
    m_password = AddEditRow(grid, 0, "EditPassword", N_("Пароль:"));
    Body()->addWidget(m_usePassword);
    Body()->addLayout(grid);
    Body()->addWidget(NewNote(N_("Запишите пароль и храните его в надежном месте: без него "
                                 "изменить настройки программы будет нельзя.")));
    connect(m_usePassword, &QCheckBox::clicked, this, [this](bool on) {
        m_password->setEnabled(on);
        Changed();
    });
    connect(m_password, &QLineEdit::textChanged, this, &PasswordPage::Changed);
}

void PasswordPage::Fill() {
    const std::string stored =
        Services().Store.ReadString(Services().Store.RootSection(), kPasswordValue).value_or("");
    m_usePassword->setChecked(!stored.empty());
    m_password->setText(ToQt(stored));
    m_password->setEnabled(!stored.empty());
}

bool PasswordPage::Apply() {
    UserStore& store = Services().Store;
    const std::string password = Trim(FromQt(m_password->text()));
    bool stored = false;
    if (m_usePassword->isChecked()) {
        if (!FitsConfigurationFile(m_password, ToQt(password)))
            return false;
        stored = store.WriteString(store.RootSection(), kPasswordValue, password);
    } else if (!password.empty()) {
        // Either way no password remains.
        stored = store.DeleteValue(store.RootSection(), kPasswordValue);
    } else {
        stored = store.WriteString(store.RootSection(), kPasswordValue, "");
    }
    if (!stored)
        ShowPlainMessage(this, TranslateText(kMsgSaveSettingsError));
    return stored;
}

} // namespace tevrix
