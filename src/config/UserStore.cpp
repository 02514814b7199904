// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/UserStore.h"

#include "config/IniFileAccess.h"
#include "platform/Paths.h"
#include "text/Strings.h"

#include <filesystem>

namespace tevrix {
namespace {

std::vector<std::string> SplitKey(std::string_view key) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = key.find('\\', start);
        parts.emplace_back(key.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

UserStore::UserStore(std::string path)
    : m_path(std::move(path)), m_rootSection(std::filesystem::path(m_path).stem().string()) {}

UserStore UserStore::ForCurrentUser() {
    return UserStore(PathForKey(ConfigHome(), kStationKey));
}

std::optional<std::string> UserStore::ReadString(std::string_view subkey,
                                                 std::string_view name) const {
    return ReadIniFile(m_path).Document.ReadValue(subkey, name);
}

bool UserStore::WriteString(std::string_view subkey, std::string_view name,
                            std::string_view value) {
    IniFileContent file = ReadIniFile(m_path);
    return file.Status != IniFileStatus::Failed && file.Document.WriteValue(subkey, name, value) &&
           WriteIniFile(m_path, file.Document, FileAccess::OwnerOnly);
}

bool UserStore::DeleteValue(std::string_view subkey, std::string_view name) {
    IniFileContent file = ReadIniFile(m_path);
    if (file.Status == IniFileStatus::Failed)
        return false;
    if (!file.Document.EraseKey(subkey, name))
        return true;
    return WriteIniFile(m_path, file.Document, FileAccess::OwnerOnly);
}

std::vector<std::pair<std::string, std::string>> UserStore::Values(std::string_view subkey) const {
    const IniDocument document = ReadIniFile(m_path).Document;
    std::vector<std::pair<std::string, std::string>> values;
    for (std::string& name : document.KeyNames(subkey)) {
        std::string value = document.ReadValue(subkey, name).value_or("");
        values.emplace_back(std::move(name), std::move(value));
    }
    return values;
}

bool UserStore::ReplaceSubkey(std::string_view subkey,
                              const std::vector<std::pair<std::string, std::string>>& values) {
    IniFileContent file = ReadIniFile(m_path);
    if (file.Status == IniFileStatus::Failed)
        return false;
    file.Document.EraseSection(subkey);
    for (const auto& [name, value] : values)
        file.Document.WriteValue(subkey, name, value);
    return WriteIniFile(m_path, file.Document, FileAccess::OwnerOnly);
}

std::string UserStore::ConfigHome() {
    return XdgBaseDir("XDG_CONFIG_HOME", ".config");
}

std::string UserStore::PathForKey(const std::string& configHome, std::string_view key) {
    std::vector<std::string> parts = SplitKey(key);
    if (parts.size() > 1 && UpperCase(parts.front()) == "SOFTWARE")
        parts.erase(parts.begin());
    if (configHome.empty())
        return {};
    std::string path = configHome;
    for (const std::string& part : parts) {
        if (!IsPlainFileName(part))
            return {};
        path += "/" + part;
    }
    return path + ".ini";
}

} // namespace tevrix
