// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CaseNames.h"
#include "text/Cp1251.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

TEST(Cp1251Test, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1251ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1251(utf8), all);
}

struct Mapping {
    unsigned char Byte;
    const char* Utf8;
};

class Cp1251MappingTest : public ::testing::TestWithParam<Mapping> {};

TEST_P(Cp1251MappingTest, MapsBothWays) {
    const Mapping m = GetParam();
    const std::string byte(1, static_cast<char>(m.Byte));
    EXPECT_EQ(Cp1251ToUtf8(byte), m.Utf8);
    EXPECT_EQ(Utf8ToCp1251(m.Utf8), byte);
}

INSTANTIATE_TEST_SUITE_P(
    Letters, Cp1251MappingTest,
    ::testing::Values(Mapping{0x41, "A"}, Mapping{0xC0, "А"}, Mapping{0xFF, "я"},
                      Mapping{0xA8, "Ё"}, Mapping{0xB8, "ё"}, Mapping{0xAF, "Ї"},
                      Mapping{0xBF, "ї"}, Mapping{0xA1, "Ў"}, Mapping{0xA2, "ў"},
                      Mapping{0xB2, "І"}, Mapping{0xB3, "і"}, Mapping{0xA5, "Ґ"},
                      Mapping{0xB4, "ґ"}, Mapping{0x88, "€"}, Mapping{0xB9, "№"},
                      Mapping{0x97, "—"}, Mapping{0x98, "\xC2\x98"}, Mapping{0xA0, "\xC2\xA0"}),
    testing::CaseName);

TEST(Cp1251Test, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("π≈中😀"), "????");
    EXPECT_EQ(Utf8ToCp1251("a\xFF"
                           "b"),
              "a?b");                          // stray byte
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");      // truncated sequence
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??"); // overlong form
}

TEST(Cp1251Test, DecodeUtf8AdvancesOverOneCodePoint) {
    const std::string text = "aЖ€😀";
    size_t pos = 0;
    EXPECT_EQ(DecodeUtf8(text, pos), U'a');
    EXPECT_EQ(DecodeUtf8(text, pos), U'Ж');
    EXPECT_EQ(DecodeUtf8(text, pos), U'€');
    EXPECT_EQ(DecodeUtf8(text, pos), U'😀');
    EXPECT_EQ(pos, text.size());
}

} // namespace
} // namespace tevrix
