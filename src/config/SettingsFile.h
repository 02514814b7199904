// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Outcome.h"
#include "config/IniDocument.h"
#include "config/Settings.h"
#include "text/Translate.h"

#include <string>

namespace tevrix {

// The configuration file, in the executable's folder.
inline constexpr const char* kConfigFileName = "TevrixStudent_Config.txt";

inline constexpr const char* kMsgLoadSettingsError =
    N_("Ошибка при загрузке параметров программы!");
inline constexpr const char* kMsgSaveSettingsError =
    N_("Ошибка при сохранении параметров программы!");

// Reads the file's keys over the current values, section Save first, Sound
// last. A key that is missing, a number that is no number, and an empty
// bool, integer or colour keep the current value; an empty string value
// empties the string. A missing file changes nothing and is no failure; an
// unreadable one changes nothing and fails with kMsgLoadSettingsError in a
// plain box (untranslated).
Outcome LoadSettings(Settings& settings, const std::string& path);

// Writes every file setting. An existing file keeps all its other lines in
// place; missing keys and sections are added in the order Save, Net, Dir,
// Colors, DefaultUser, ResultUser, Sound, each section's keys in their
// fixed order. The file is replaced atomically, so on failure
// (kMsgSaveSettingsError) it is exactly as it was.
Outcome SaveSettings(const Settings& settings, const std::string& path);

// The same on a document in memory. WriteSettings is false when a value
// cannot be written so that it reads back the same; the document is then
// only partly updated.
void ReadSettings(const IniDocument& document, Settings& settings);
bool WriteSettings(const Settings& settings, IniDocument& document);

} // namespace tevrix
