// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <unistd.h>

namespace tevrix::testing {

// A folder of its own below the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder() : TempFolder(std::filesystem::temp_directory_path().string()) {}
    // Below `base` instead of the system's temporary folder.
    explicit TempFolder(const std::string& base) {
        std::string pattern = (std::filesystem::path(base) / "tevrix-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern + "/";
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending with '/'.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

} // namespace tevrix::testing
