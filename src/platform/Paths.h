// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tevrix {

// The folder of the running executable, ending with '/'. The station keeps its
// configuration, results and catalogues there.
std::string ExecutableDir();

// The folder of the interface catalogues (<language>/LC_MESSAGES/default.mo),
// ending with '/': "locale" beside the executable.
std::string CatalogueDir();

// Where temporary folders go: $TMPDIR when set and non-empty, else /tmp.
// Ends with '/'.
std::string TempRoot();

// Appends '/' unless the path already ends with one (or is empty).
std::string WithTrailingSlash(std::string path);

// True for a plain file name that stays inside its folder: not empty, not
// "." or "..", without '/', '\\' or NUL.
bool IsPlainFileName(std::string_view name);

} // namespace tevrix
