// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Outcome.h"
#include "config/Settings.h"
#include "config/UserStore.h"
#include "frontend/EndSoundPlayer.h"
#include "net/Connector.h"
#include "ui/settings/DesktopIntegration.h"

#include <functional>
#include <string>

namespace tevrix {

// What the settings dialog edits and reaches: the station's settings, the
// user store with the dialog's password, the end-of-test sound, the server,
// the main window's two commands and the desktop.
struct SettingsDialogServices {
    Settings& StationSettings;
    UserStore& Store;
    EndSoundPlayer& Sound;
    // The connection test; it blocks, so the dialog runs it off its thread.
    std::function<Outcome(const ServerAddress&)> TestConnection;
    // "Сохранить настройки сейчас" and "Загрузить настройки сейчас" of the
    // main window, with their confirmation question.
    std::function<void()> SaveSettingsNow;
    std::function<void()> LoadSettingsNow;
    DesktopPlaces Desktop;
    // The folder of the station, ending with '/': sound files without a folder.
    std::string ProgramDir;
};

// The value "Password" of the user store guards the dialog.
inline constexpr const char* kPasswordValue = "Password";

} // namespace tevrix
