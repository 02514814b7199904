// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

namespace tevrix {

class CharacterFilter;

// "Сеть": the teacher's server and the connection test.
class NetworkPage : public SettingsPage {
    Q_OBJECT

public:
    explicit NetworkPage(SettingsDialogServices& services);

    // The filter of the port edit (tests listen to its beep).
    CharacterFilter& PortFilter() { return *m_portFilter; }

private:
    void Fill() override;
    bool Apply() override;
    void ControlChanged();
    void ApplyEnabling();
    void TestConnection();
    int32_t PortNumber() const;

    QLineEdit* m_host;
    QLineEdit* m_port;
    QCheckBox* m_send;
    QCheckBox* m_autoGet;
    QPushButton* m_test;
    QLabel* m_testNote;
    CharacterFilter* m_portFilter;
};

} // namespace tevrix
