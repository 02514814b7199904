// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/NetworkPage.h"

#include "config/ProfileInteger.h"
#include "text/Strings.h"
#include "ui/UiText.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/widgets/CharacterFilter.h"
#include "ui/widgets/OffThread.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {

NetworkPage::NetworkPage(SettingsDialogServices& services) : SettingsPage(services, "TabNetwork") {
    auto* grid = new QGridLayout;
    m_host = AddEditRow(grid, 0, "EditRemoteHost", N_("IP или имя сервера:"));
    m_port = AddEditRow(grid, 1, "EditRemotePort", N_("Порт на сервере:"));
    Body()->addLayout(grid);
    m_send = NewCheckBox("CheckBoxSendResult",
                         N_("Отправлять результаты на сервер учителю, получать тесты"));
    m_autoGet =
        NewCheckBox("CheckBoxAutoGetTest", N_("Пытаться загрузить тест с сервера при старте"));
    m_test = NewButton("ButtonTestConnection", N_("Проверить связь с сервером"));
    m_testNote = NewNote(N_("Для проверки связи на компьютере учителя должна быть запущена "
                            "серверная программа."));
    for (QWidget* widget : std::initializer_list<QWidget*>{m_send, m_autoGet, m_test, m_testNote})
        Body()->addWidget(widget);

    m_portFilter = new CharacterFilter(m_port, [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('\b');
    });
    m_portFilter->SetBeep([] { QApplication::beep(); });
    connect(m_host, &QLineEdit::textChanged, this, &NetworkPage::ControlChanged);
    connect(m_port, &QLineEdit::textChanged, this, &NetworkPage::ControlChanged);
    connect(m_send, &QCheckBox::toggled, this, &NetworkPage::ControlChanged);
    connect(m_autoGet, &QCheckBox::toggled, this, &NetworkPage::Changed);
    connect(m_test, &QPushButton::clicked, this, &NetworkPage::TestConnection);
}

void NetworkPage::Fill() {
    const Settings& settings = StationSettings();
    m_host->setText(ToQt(settings.RemoteHost));
    m_port->setText(QString::number(settings.RemotePort));
    m_send->setChecked(settings.IsSendResult);
    m_autoGet->setChecked(settings.IsAutoGetTestFromStart);
    ApplyEnabling();
}

void NetworkPage::ControlChanged() {
    ApplyEnabling();
    Changed();
}

void NetworkPage::ApplyEnabling() {
    m_autoGet->setEnabled(m_send->isChecked());
    const bool address =
        !Trim(FromQt(m_host->text())).empty() && !Trim(FromQt(m_port->text())).empty();
    m_test->setEnabled(address);
    m_testNote->setEnabled(address);
}

int32_t NetworkPage::PortNumber() const {
    return ParseProfileInteger(FromQt(m_port->text())).value_or(0);
}

void NetworkPage::TestConnection() {
    // The edits as they stand, applied or not.
    const ServerAddress address{FromQt(m_host->text()), PortNumber()};
    Outcome outcome;
    m_test->setEnabled(false);
    RunOffThread([&] { outcome = Services().TestConnection(address); });
    ApplyEnabling();
    ShowOutcome(this, outcome);
}

bool NetworkPage::Apply() {
    if (!FitsConfigurationFile(m_host, m_host->text()))
        return false;
    Settings& settings = StationSettings();
    settings.RemoteHost = FromQt(m_host->text());
    settings.RemotePort = PortNumber();
    settings.IsSendResult = m_send->isChecked();
    settings.IsAutoGetTestFromStart = m_autoGet->isChecked();
    return true;
}

} // namespace tevrix
