// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ZlibInputStream.h"
#include "io/ZlibOutputStream.h"
#include "support/CaseNames.h"

#include <gtest/gtest.h>
#include <random>

namespace tevrix {
namespace {

std::vector<uint8_t> Sample(size_t size) {
    std::vector<uint8_t> data(size);
    std::mt19937 random(42);
    for (size_t i = 0; i < size; ++i)
        data[i] = i % 3 == 0 ? static_cast<uint8_t>(random()) : static_cast<uint8_t>('a' + i % 7);
    return data;
}

std::vector<uint8_t> ReadAll(InputStream& in, size_t sliceSize) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> slice(sliceSize);
    for (size_t got; (got = in.Read(slice.data(), slice.size())) > 0;)
        out.insert(out.end(), slice.begin(), slice.begin() + got);
    return out;
}

class ZlibRoundTripTest : public ::testing::TestWithParam<size_t> {};

TEST_P(ZlibRoundTripTest, InflatesWhatItDeflatesInSmallAndLargeReads) {
    const std::vector<uint8_t> data = Sample(300'000);
    const std::vector<uint8_t> packed = ZlibCompress(data.data(), data.size(), 9);
    MemoryInputStream source(packed);
    ZlibInputStream zlib(source);
    EXPECT_EQ(ReadAll(zlib, GetParam()), data);
}

INSTANTIATE_TEST_SUITE_P(ReadSizes, ZlibRoundTripTest, ::testing::Values(1, 4, 4096, 1 << 20),
                         testing::CaseName);

TEST(ZlibStreamTest, NeverReadsPastTheEndOfTheStream) {
    const std::vector<uint8_t> data = Sample(1000);
    std::vector<uint8_t> packed = ZlibCompress(data.data(), data.size(), 6);
    packed.insert(packed.end(), {'t', 'a', 'i', 'l'});
    MemoryInputStream source(packed);
    ZlibInputStream zlib(source);
    EXPECT_EQ(ReadAll(zlib, 64), data);
    uint8_t byte;
    EXPECT_EQ(zlib.Read(&byte, 1), 0u);
}

TEST(ZlibStreamTest, DamagedDataThrows) {
    const std::vector<uint8_t> data = Sample(10'000);
    std::vector<uint8_t> packed = ZlibCompress(data.data(), data.size(), 6);
    for (size_t i = 10; i < packed.size(); i += 7)
        packed[i] ^= 0x5A;
    MemoryInputStream source(packed);
    ZlibInputStream zlib(source);
    EXPECT_THROW(ReadAll(zlib, 4096), FormatError);
}

TEST(ZlibStreamTest, NotZlibAtAllThrows) {
    const std::vector<uint8_t> garbage(100, 0x42);
    MemoryInputStream source(garbage);
    ZlibInputStream zlib(source);
    uint8_t buffer[16];
    EXPECT_THROW(zlib.Read(buffer, sizeof buffer), FormatError);
}

TEST(ZlibStreamTest, CompressedDataEndingEarlyEndsTheOutput) {
    const std::vector<uint8_t> data = Sample(50'000);
    std::vector<uint8_t> packed = ZlibCompress(data.data(), data.size(), 6);
    packed.resize(packed.size() / 2);
    MemoryInputStream source(packed);
    ZlibInputStream zlib(source);
    const std::vector<uint8_t> got = ReadAll(zlib, 4096);
    EXPECT_LT(got.size(), data.size());
    EXPECT_TRUE(std::equal(got.begin(), got.end(), data.begin()));
}

} // namespace
} // namespace tevrix
