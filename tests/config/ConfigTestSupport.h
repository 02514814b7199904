// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/FileBytes.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"
#include "text/Cp1251.h"

#include <filesystem>
#include <gtest/gtest.h>
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

} // namespace tevrix::testing
