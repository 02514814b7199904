// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Guid.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>

namespace tevrix {
namespace {

TEST(GuidTest, WritesTheWindowsLayout) {
    const std::array<uint8_t, 16> bytes = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66,
                                           0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    EXPECT_EQ(GuidToText(bytes), "{00112233-4455-6677-8899-AABBCCDDEEFF}");
}

TEST(GuidTest, NewGuidsAreVersionFourAndDistinct) {
    const std::regex shape(
        "\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}");
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        const std::string guid = NewGuidText();
        EXPECT_EQ(guid.size(), 38u);
        EXPECT_TRUE(std::regex_match(guid, shape)) << guid;
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 100u);
}

} // namespace
} // namespace tevrix
