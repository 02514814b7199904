// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/BinaryReader.h"
#include "io/BinaryWriter.h"

#include <chrono>
#include <gtest/gtest.h>
#include <limits>

namespace tevrix {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

TEST(BinaryStreamTest, WritesLittleEndianPrimitives) {
    MemoryOutputStream out;
    BinaryWriter writer(out);
    writer.WriteInt32(-2);
    writer.WriteByte(0xAB);
    writer.WriteBool(true);
    writer.WriteDouble(1.0);
    writer.WriteText("Ab");
    writer.WriteText("");
    EXPECT_EQ(out.Bytes(), Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0xAB, 0x01, 0,   0,   0, 0, 0, 0,
                                  0xF0, 0x3F, 2,    0,    0,    0,    'A', 'b', 0, 0, 0, 0}));
}

TEST(BinaryStreamTest, ReadsWhatItWrites) {
    MemoryOutputStream out;
    BinaryWriter writer(out);
    writer.WriteInt32(std::numeric_limits<int32_t>::min());
    writer.WriteUInt32(0xCBF43926u);
    writer.WriteDouble(46000.123456789);
    writer.WriteText(std::string("\xC0\x00\xFF", 3));
    writer.WriteBool(false);
    MemoryInputStream in(out.Bytes());
    BinaryReader reader(in);
    EXPECT_EQ(reader.ReadInt32(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(reader.ReadUInt32(), 0xCBF43926u);
    EXPECT_EQ(reader.ReadDouble(), 46000.123456789);
    EXPECT_EQ(reader.ReadText(), std::string("\xC0\x00\xFF", 3));
    EXPECT_FALSE(reader.ReadBool());
    EXPECT_THROW(reader.ReadByte(), FormatError);
}

TEST(BinaryStreamTest, AnyNonZeroByteIsTrue) {
    const auto data = Bytes({0, 1, 0x80, 0xFF});
    MemoryInputStream in(data);
    BinaryReader reader(in);
    EXPECT_FALSE(reader.ReadBool());
    EXPECT_TRUE(reader.ReadBool());
    EXPECT_TRUE(reader.ReadBool());
    EXPECT_TRUE(reader.ReadBool());
}

TEST(BinaryStreamTest, ZeroOrNegativeLengthIsAnEmptyTextWithoutBytes) {
    const auto data = Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 7});
    MemoryInputStream in(data);
    BinaryReader reader(in);
    EXPECT_EQ(reader.ReadText(), "");
    EXPECT_EQ(reader.ReadText(), "");
    EXPECT_EQ(reader.ReadByte(), 7);
}

TEST(BinaryStreamTest, TruncatedPrimitivesThrow) {
    for (size_t size = 0; size < 4; ++size) {
        const std::vector<uint8_t> data(size, 1);
        MemoryInputStream in(data);
        BinaryReader reader(in);
        EXPECT_THROW(reader.ReadInt32(), FormatError) << size;
    }
    const auto shortText = Bytes({5, 0, 0, 0, 'a', 'b'});
    MemoryInputStream in(shortText);
    BinaryReader reader(in);
    EXPECT_THROW(reader.ReadText(), FormatError);
}

TEST(BinaryStreamTest, ALyingLengthFailsFastWithoutAllocatingIt) {
    // 2 GB announced, 1 KB present; and 200 MB announced (under the cap).
    for (const int32_t announced : {std::numeric_limits<int32_t>::max(), 200 * 1024 * 1024}) {
        MemoryOutputStream out;
        BinaryWriter(out).WriteInt32(announced);
        const std::vector<uint8_t> filler(1024, 'x');
        out.Write(filler.data(), filler.size());
        MemoryInputStream in(out.Bytes());
        BinaryReader reader(in);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(reader.ReadText(), FormatError);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    }
}

} // namespace
} // namespace tevrix
