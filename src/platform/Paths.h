// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tevrix {

// The folder of the running executable, ending with '/'. A portable station
// keeps its files there (ChooseStationFolders in StationFolders.h decides).
std::string ExecutableDir();

// A base folder of the XDG layout: the environment variable `variable` when
// it holds an absolute path, else the home folder ($HOME, or the user's entry
// in the password database) followed by `belowHome` (".config",
// ".local/share"). Empty when there is no home.
std::string XdgBaseDir(const char* variable, const std::string& belowHome);

// Where temporary folders go: $TMPDIR when set and non-empty, else /tmp.
// Ends with '/'.
std::string TempRoot();

// Appends '/' unless the path already ends with one (or is empty).
std::string WithTrailingSlash(std::string path);

// True for a plain file name that stays inside its folder: not empty, not
// "." or "..", without '/', '\\' or NUL.
bool IsPlainFileName(std::string_view name);

} // namespace tevrix
