// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/NiceSettings.h"
#include "ui/settings/WindowProperties.h"

class QWidget;

namespace tevrix {

// The main window's placement and the height of its question panel, kept
// in the user store below "Software\TevrixX\Student\StudentMainForm".
class WindowSettings {
public:
    WindowSettings(QWidget& window, NiceSettingsPlaces places);

    // Restores the stored placement and brings the window onto a screen.
    void Load();
    // Replaces the stored placement by the current one.
    void Save();

    TNiceSettings& Nice() { return m_nice; }

private:
    WindowProperties m_properties;
    TNiceSettings m_nice;
};

} // namespace tevrix
