// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/IniDocument.h"
#include "platform/Files.h"

#include <cstddef>
#include <string>

namespace tevrix {

// A configuration file is a few kilobytes; anything beyond this is refused
// rather than read into memory.
inline constexpr size_t kMaxIniFileSize = 4 * 1024 * 1024;

enum class IniFileStatus {
    Missing, // no such file: an empty document
    Loaded,
    Failed, // there, but unreadable or larger than kMaxIniFileSize
};

struct IniFileContent {
    IniFileStatus Status = IniFileStatus::Missing;
    IniDocument Document;
};

IniFileContent ReadIniFile(const std::string& path);

// Replaces the file atomically (a crash leaves the old file or the new one),
// creating missing folders on the way. False when it could not be written;
// the old file is then untouched.
bool WriteIniFile(const std::string& path, const IniDocument& document,
                  FileAccess access = FileAccess::Shared);

} // namespace tevrix
