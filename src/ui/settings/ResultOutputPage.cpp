// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/ResultOutputPage.h"

#include "ui/UiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tevrix {

ResultOutputPage::ResultOutputPage(SettingsDialogServices& services)
    : SettingsPage(services, "TabResultOutput"),
      m_boxes{NewCheckBox("CheckBoxShowUserResult",
                          N_("Выводить результаты тестируемому после окончания теста")),
              NewCheckBox("CheckBoxShowDetailReport",
                          N_("Показывать подробный отчет по заданиям после теста")),
              NewCheckBox("CheckBoxSaveResult", N_("Сохранять результаты в текстовый файл")),
              NewCheckBox("CheckBoxSaveProtectionResult",
                          N_("Сохранять защищенные результаты в файл"))} {
    for (QCheckBox* box : m_boxes) {
        Body()->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &ResultOutputPage::Changed);
    }
    Body()->addWidget(NewNote(N_("Эти параметры действуют лишь настолько, насколько их "
                                 "разрешают настройки самого теста.")));
}

std::array<bool*, 4> ResultOutputPage::Targets() {
    Settings& settings = StationSettings();
    return {&settings.IsShowUserResult, &settings.IsShowDetailReport, &settings.IsSaveResult,
            &settings.IsSaveProtectionResult};
}

void ResultOutputPage::Fill() {
    const std::array<bool*, 4> targets = Targets();
    for (size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(*targets[i]);
}

bool ResultOutputPage::Apply() {
    const std::array<bool*, 4> targets = Targets();
    for (size_t i = 0; i < m_boxes.size(); ++i)
        *targets[i] = m_boxes[i]->isChecked();
    return true;
}

} // namespace tevrix
