// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/UserNamePage.h"

#include "ui/UiText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tevrix {

UserNamePage::UserNamePage(SettingsDialogServices& services)
    : SettingsPage(services, "TabUserName"),
      m_saveLastUser(
          NewCheckBox("CheckBoxSaveLastUser", N_("Помнить информацию о последнем пользователе"))) {
    Body()->addWidget(NewGroup(N_("Имя пользователя:"), "UserName", 0));
    Body()->addWidget(NewGroup(N_("Дополнительное поле:"), "UserGroup", 4));
    Body()->addWidget(m_saveLastUser);
    for (QLineEdit* edit : m_edits)
        connect(edit, &QLineEdit::textChanged, this, &UserNamePage::Changed);
    connect(m_saveLastUser, &QCheckBox::clicked, this, &UserNamePage::Changed);
}

QWidget* UserNamePage::NewGroup(const char* title, const char* prefix, size_t first) {
    auto* group = new QGroupBox(Tr(title), this);
    group->setObjectName(QStringLiteral("Group%1").arg(QLatin1String(prefix)));
    auto* grid = new QGridLayout(group);
    const char* captions[] = {N_("По умолчанию:"), N_("Шаблон:"), N_("Образец:"), N_("Заголовок:")};
    const char* names[] = {"Default", "Expression", "Example", "Title"};
    for (int row = 0; row < 4; ++row) {
        const QByteArray name = QByteArray("Edit") + names[row] + prefix;
        QLineEdit* edit = AddEditRow(grid, row, name.constData(), captions[row]);
        edit->setAccessibleName(edit->accessibleName() + QStringLiteral(" (") +
                                group->title().remove(QLatin1Char(':')) + QLatin1Char(')'));
        m_edits[first + static_cast<size_t>(row)] = edit;
    }
    m_edits[first + 1]->setToolTip(Tr("Используются регулярные выражения..."));
    return group;
}

std::array<std::string*, 8> UserNamePage::Targets() {
    Settings& s = StationSettings();
    return {&s.DefaultUserName,  &s.UserNameExpression,  &s.UserNameExample,  &s.TitleUserName,
            &s.DefaultUserGroup, &s.UserGroupExpression, &s.UserGroupExample, &s.TitleUserGroup};
}

void UserNamePage::Fill() {
    const std::array<std::string*, 8> targets = Targets();
    for (size_t i = 0; i < m_edits.size(); ++i)
        m_edits[i]->setText(ToQt(*targets[i]));
    m_saveLastUser->setChecked(StationSettings().IsSaveLastUser);
}

bool UserNamePage::Apply() {
    // The texts exactly as typed, blanks included.
    for (QLineEdit* edit : m_edits)
        if (!FitsConfigurationFile(edit, edit->text()))
            return false;
    const std::array<std::string*, 8> targets = Targets();
    for (size_t i = 0; i < m_edits.size(); ++i)
        *targets[i] = FromQt(m_edits[i]->text());
    StationSettings().IsSaveLastUser = m_saveLastUser->isChecked();
    return true;
}

} // namespace tevrix
