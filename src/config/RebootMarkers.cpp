// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/RebootMarkers.h"

#include "platform/Files.h"
#include "text/Strings.h"

#include <filesystem>
#include <system_error>

namespace tevrix {
namespace {

// A boot id is 36 characters; a marker file holding more is not ours.
constexpr size_t kMaxMarkerBytes = 64;

std::string ReadSmallFile(const std::string& path) {
    try {
        FileInputStream input(path);
        uint8_t buffer[kMaxMarkerBytes + 1];
        size_t used = 0;
        while (used < sizeof buffer) {
            const size_t got = input.Read(buffer + used, sizeof buffer - used);
            if (got == 0)
                break;
            used += got;
        }
        if (used > kMaxMarkerBytes)
            return {};
        return std::string(reinterpret_cast<const char*>(buffer), used);
    } catch (const IoError&) {
        return {};
    }
}

} // namespace

RebootMarkers::RebootMarkers(std::string folder, std::string bootId)
    : m_folder(std::move(folder)), m_bootId(std::move(bootId)) {}

std::string RebootMarkers::FilePath(std::string_view name) const {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string path = m_folder + "/run-";
    for (const char c : name.substr(0, kMaxNameBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        path += kDigits[byte >> 4];
        path += kDigits[byte & 0x0F];
    }
    return path;
}

bool RebootMarkers::Exists(std::string_view name) const {
    if (m_folder.empty())
        return false;
    const std::string path = FilePath(name);
    return FileExists(path) && Trim(ReadSmallFile(path)) == m_bootId;
}

bool RebootMarkers::Create(std::string_view name) {
    if (m_folder.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    if (error)
        return false;
    try {
        WriteFileAtomically(FilePath(name), m_bootId);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

std::string CurrentBootId() {
    return Trim(ReadSmallFile("/proc/sys/kernel/random/boot_id"));
}

} // namespace tevrix
