// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "text/Cp1251.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace tevrix::testing {

// A fresh folder per test, removed afterwards.
class ConfigFolderTest : public ::testing::Test {
protected:
    const std::string& Root() const { return m_folder.Path(); }

private:
    TempFolder m_folder;
};

inline std::string FixturePath(const std::string& name) {
    return std::string(TEVRIX_FIXTURES) + "/config/" + name;
}

// A file as the station writes it: UTF-8 source text in Windows-1251, each
// '\n' of the text a CR LF.
inline std::string StationBytes(const std::string& text) {
    std::string crlf;
    for (const char c : text) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return Utf8ToCp1251(crlf);
}

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        ::setenv(name, value, 1);
    }
    ~ScopedVariable() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace tevrix::testing
