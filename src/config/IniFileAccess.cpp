// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/IniFileAccess.h"

#include "platform/Files.h"

#include <filesystem>
#include <system_error>

namespace tevrix {

IniFileContent ReadIniFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found)
        return {};
    try {
        FileInputStream input(path);
        std::string bytes;
        uint8_t buffer[16384];
        while (const size_t got = input.Read(buffer, sizeof buffer)) {
            bytes.append(reinterpret_cast<const char*>(buffer), got);
            if (bytes.size() > kMaxIniFileSize)
                return {IniFileStatus::Failed, {}};
        }
        return {IniFileStatus::Loaded, IniDocument::FromBytes(bytes)};
    } catch (const IoError&) {
        return {IniFileStatus::Failed, {}};
    }
}

bool WriteIniFile(const std::string& path, const IniDocument& document, FileAccess access) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    if (error)
        return false;
    try {
        WriteFileAtomically(path, document.ToBytes(), access);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

} // namespace tevrix
