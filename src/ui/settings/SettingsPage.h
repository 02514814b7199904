// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsDialogServices.h"

#include <QWidget>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace tevrix {

// One tab of the settings dialog. Each time it is shown its controls are
// filled from the settings and "Применить" is disabled; any change of a
// control enables it; pressing it copies the controls into the settings.
class SettingsPage : public QWidget {
    Q_OBJECT

public:
    enum class ApplyButton { With, Without };

    SettingsPage(SettingsDialogServices& services, const char* objectName,
                 ApplyButton apply = ApplyButton::With);

    // The tab is shown (again): the controls show the settings.
    void ShowPage();

protected:
    // Fills the controls from the settings.
    virtual void Fill() = 0;
    // Copies the controls into the settings; false keeps "Применить"
    // enabled (a field refused, or a tab whose button stays).
    virtual bool Apply() { return true; }

    // A control of the page changed.
    void Changed();

    SettingsDialogServices& Services() { return m_services; }
    Settings& StationSettings() { return m_services.StationSettings; }
    QVBoxLayout* Body() { return m_body; }

    // Controls with their object and accessible names, captions translated.
    QCheckBox* NewCheckBox(const char* name, const char* caption);
    QPushButton* NewButton(const char* name, const char* caption);
    QLineEdit* NewEdit(const char* name, const QString& accessibleName);
    QLabel* NewNote(const char* text);
    // A caption above an edit, in rows of a grid; returns the edit.
    QLineEdit* AddEditRow(QGridLayout* grid, int row, const char* name, const char* caption);

    // Whether the configuration file can hold the edit's text as given; a
    // refused text is shown in a message saying why and the edit gets the
    // focus.
    bool FitsConfigurationFile(QLineEdit* edit, const QString& text);

private:
    SettingsDialogServices& m_services;
    QVBoxLayout* m_body;
    QPushButton* m_apply = nullptr;
};

} // namespace tevrix
