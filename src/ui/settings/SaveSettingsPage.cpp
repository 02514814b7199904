// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/SaveSettingsPage.h"

#include "ui/UiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {

SaveSettingsPage::SaveSettingsPage(SettingsDialogServices& services)
    : SettingsPage(services, "TabSaveSettings", ApplyButton::Without),
      m_useWindowSettings(
          NewCheckBox("CheckBoxUseWindowSettings", N_("Использовать настройки окна"))),
      m_saveConfig(NewCheckBox("CheckBoxSaveConfig", N_("Сохранять настройки при выходе"))) {
    QPushButton* load = NewButton("ButtonLoadSettingsNow", N_("Загрузить настройки сейчас"));
    QPushButton* save = NewButton("ButtonSaveSettingsNow", N_("Сохранить настройки сейчас"));
    Body()->addWidget(m_useWindowSettings);
    Body()->addWidget(m_saveConfig);
    Body()->addWidget(load);
    Body()->addWidget(save);
    Body()->addWidget(NewNote(N_("Изменения на вкладках действуют после нажатия кнопки "
                                 "\"Применить\" и сохраняются только до закрытия программы, "
                                 "если их не сохранить.")));

    connect(m_useWindowSettings, &QCheckBox::clicked, this,
            [this](bool on) { StationSettings().IsUseWindowSettings = on; });
    connect(m_saveConfig, &QCheckBox::clicked, this,
            [this](bool on) { StationSettings().IsSaveConfig = on; });
    connect(load, &QPushButton::clicked, this, [this] {
        Services().LoadSettingsNow();
        Fill();
    });
    connect(save, &QPushButton::clicked, this, [this] { Services().SaveSettingsNow(); });
}

void SaveSettingsPage::Fill() {
    m_useWindowSettings->setChecked(StationSettings().IsUseWindowSettings);
    m_saveConfig->setChecked(StationSettings().IsSaveConfig);
}

} // namespace tevrix
