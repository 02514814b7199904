// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Crc32.h"
#include "model/Scrambler.h"
#include "support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace tevrix {
namespace {

TEST(ScramblerTest, KeyComesFromTheSeedAndTheDivisor) {
    const ScrambleKey& key = TestFileKey();
    EXPECT_EQ(key.Multiplier, 45583);
    EXPECT_EQ(key.Increment, 40818);
    EXPECT_EQ(key.InitialState, 5);
    const ScrambleKey negative = MakeScrambleKey(-1846280517, 40503);
    EXPECT_EQ(negative.Multiplier, key.Multiplier);
    EXPECT_EQ(negative.Increment, key.Increment);
}

// The transform written out with the full 16-bit state, as a reference for
// the table-driven one.
std::vector<uint8_t> ReferenceDescramble(std::vector<uint8_t> data, const ScrambleKey& key) {
    uint16_t state = key.InitialState;
    for (uint8_t& c : data) {
        const uint8_t low = static_cast<uint8_t>(state);
        const uint8_t p = c ^ low;
        c = p;
        state = static_cast<uint16_t>(((p + low) % 256) * key.Multiplier + key.Increment);
    }
    return data;
}

TEST(ScramblerTest, MatchesTheSixteenBitStateTransform) {
    std::vector<uint8_t> data(5000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 31 + 7);
    std::vector<uint8_t> fast = data;
    Scrambler(TestFileKey()).Descramble(fast.data(), fast.size());
    EXPECT_EQ(fast, ReferenceDescramble(data, TestFileKey()));
}

TEST(ScramblerTest, ScrambleAndDescrambleAreInversesAcrossChunks) {
    const std::string text = "Tevrix: Съешь же ещё этих мягких французских булок";
    std::vector<uint8_t> data(text.begin(), text.end());
    Scrambler scrambler(TestFileKey());
    scrambler.Scramble(data.data(), 10);
    scrambler.Scramble(data.data() + 10, data.size() - 10);
    EXPECT_NE(std::string(data.begin(), data.end()), text);
    EXPECT_EQ(data[0], 'T' ^ 5); // the first byte is xored with the initial state
    Scrambler descrambler(TestFileKey());
    descrambler.Descramble(data.data(), data.size());
    EXPECT_EQ(std::string(data.begin(), data.end()), text);
}

TEST(ScramblerTest, FileAndStreamGiveTheSameBytes) {
    std::vector<uint8_t> data(70'000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i ^ (i >> 8));
    const testing::TempFolder folder;
    const std::string path = folder.File("scrambled.bin");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), data.size());
    MemoryInputStream stream(data);
    EXPECT_EQ(DescrambleFile(path, TestFileKey()), DescrambleStream(stream, TestFileKey()));
    EXPECT_EQ(DescrambleFile(path, TestFileKey()), ReferenceDescramble(data, TestFileKey()));
}

TEST(Crc32Test, IsTheIsoHdlcChecksum) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
}

TEST(Crc32Test, FileChecksumEqualsTheBufferChecksumOrZero) {
    std::vector<uint8_t> data(200'000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7);
    const testing::TempFolder folder;
    const std::string path = folder.File("crc.bin");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), data.size());
    EXPECT_EQ(FileCrc32(path), Crc32(data.data(), data.size()));
    EXPECT_EQ(FileCrc32(path + ".missing"), 0u);
}

} // namespace
} // namespace tevrix
