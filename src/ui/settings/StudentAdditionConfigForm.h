// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsDialogServices.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QStackedWidget;

namespace tevrix {

class SettingsPage;

// The settings dialog "Параметры": ten tabs, each filled from the settings
// when it is shown and applied with its own "Применить". Created for one
// showing; closed with the window's close box.
class TStudentAdditionConfigForm : public QDialog {
    Q_OBJECT

public:
    // The client area the tabs are laid out for; a larger font grows it.
    static constexpr int kWidth = 428;
    static constexpr int kHeight = 417;

    TStudentAdditionConfigForm(SettingsDialogServices& services, QWidget* parent = nullptr);

    int CurrentTab() const { return m_current; }
    // Shows the tab (0 for "Ассоциация"), as a click on its caption does.
    void ShowTab(int index);
    SettingsPage& Page(int index) { return *m_pages.at(static_cast<size_t>(index)); }

    // The password gate, then the dialog, modally. With a stored password
    // the user is asked for it (`askPassword`: the text confirmed, nothing
    // when cancelled); a wrong one shows "Не верный пароль..." and no dialog.
    static void OpenSettings(QWidget* parent, SettingsDialogServices& services,
                             const std::function<std::optional<std::string>()>& askPassword);

private:
    std::vector<SettingsPage*> m_pages;
    QStackedWidget* m_stack;
    QButtonGroup* m_tabs;
    int m_current = -1;
};

} // namespace tevrix
