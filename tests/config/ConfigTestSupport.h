// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/Cp1251.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace tevrix::testing {

// A fresh folder per test, removed afterwards.
class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("config-") + info->test_suite_name() + "-" + info->name();
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        m_root = ::testing::TempDir() + name + "/";
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    const std::string& Root() const { return m_root; }

    std::string m_root;
};

inline std::string FixturePath(const std::string& name) {
    return std::string(TEVRIX_FIXTURES) + "/config/" + name;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
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
