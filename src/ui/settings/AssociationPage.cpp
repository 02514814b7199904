// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/AssociationPage.h"

#include "text/Format.h"
#include "ui/UiText.h"
#include "ui/dialogs/MessageBoxes.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tevrix {

AssociationPage::AssociationPage(SettingsDialogServices& services)
    : SettingsPage(services, "TabAssociation"),
      m_associate(NewCheckBox("CheckBoxAssociate",
                              N_("Асоциировать файлы тестов  Tevrix (.TVF) с программой"))) {
    Body()->addWidget(m_associate);
    Body()->addWidget(
        NewNote(N_("После ассоциации файлы тестов будут отображаться со значком программы и "
                   "открываться в ней двойным щелчком.")));
    Body()->addWidget(NewNote(N_("Ассоциация записывается в домашнюю папку текущего "
                                 "пользователя, права администратора не нужны.")));
    connect(m_associate, &QCheckBox::clicked, this, &AssociationPage::Changed);
}

void AssociationPage::Fill() {
    // In place: ticked and nothing more to do; otherwise the box keeps its
    // state.
    if (DesktopIntegration(Services().Desktop).IsAssociated()) {
        m_associate->setChecked(true);
        m_associate->setEnabled(false);
    } else {
        m_associate->setEnabled(true);
    }
}

bool AssociationPage::Apply() {
    if (!m_associate->isChecked() || !m_associate->isEnabled())
        return false;
    const DesktopIntegration desktop(Services().Desktop);
    const QString failed = desktop.Associate();
    if (!failed.isEmpty())
        ShowMessageBox(this,
                       {Format(TranslateText("Не удалось записать файл \"%s\"."), {FromQt(failed)}),
                        TranslateText("Ошибка!"), MessageIcon::Error, MessageButtons::Ok});
    Fill();
    desktop.RefreshDatabases();
    // The button stays; pressed again it does nothing, the box being disabled.
    return false;
}

} // namespace tevrix
