// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/WindowSettings.h"

#include "config/UserStore.h"

namespace tevrix {

WindowSettings::WindowSettings(QWidget& window, NiceSettingsPlaces places)
    : m_properties(window), m_nice(m_properties, std::move(places)) {
    m_nice.StoredProps = {
        "Left", "Top", "Width", "Height", "Position", "WindowState", "PanelQuestion.Height"};
    m_nice.RegKey = kStationKey;
    m_nice.IniFile = "Settings.ini";
    m_nice.StoreTarget = TStoreTarget::stRegistry;
}

void WindowSettings::Load() {
    m_nice.LoadProps();
    m_properties.KeepOnScreen();
}

void WindowSettings::Save() {
    m_nice.SaveProps();
}

} // namespace tevrix
