// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ZlibOutputStream.h"
#include "results/AppendableZlib.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <zlib.h>

namespace tevrix {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// Some text that compresses, different for each seed.
std::vector<uint8_t> Sample(int seed, size_t size) {
    std::string text;
    for (int i = 0; text.size() < size; ++i)
        text += "запись " + std::to_string(seed * 7919 + i % 97) + " ответ;";
    text.resize(size);
    return Bytes(text);
}

// What plain zlib makes of a stream: the inflated bytes, or "damaged".
std::string PlainInflate(const std::vector<uint8_t>& stream, size_t expected) {
    std::vector<uint8_t> out(expected + 16);
    uLongf length = out.size();
    if (uncompress(out.data(), &length, stream.data(), stream.size()) != Z_OK)
        return "damaged";
    return {out.begin(), out.begin() + static_cast<ptrdiff_t>(length)};
}

std::string Joined(std::initializer_list<std::vector<uint8_t>> parts) {
    std::string all;
    for (const auto& part : parts)
        all.append(part.begin(), part.end());
    return all;
}

TEST(AppendableZlibTest, AWholeStreamInflatesWithPlainZlibAndShowsItsBody) {
    const std::vector<uint8_t> head = Bytes("голова 0001"), body = Sample(1, 100'000);
    const std::vector<uint8_t> stream = AppendableZlibStream(head, body);
    EXPECT_EQ(PlainInflate(stream, 200'000), Joined({head, body}));
    const std::optional<ZlibBody> found = FindZlibBody(stream, head.size());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Head, head);
    EXPECT_EQ(found->Content, body);
    EXPECT_EQ(found->Adler, adler32(adler32(0, nullptr, 0), body.data(), uInt(body.size())));
    EXPECT_FALSE(FindZlibBody(stream, head.size() + 1));
}

TEST(AppendableZlibTest, AppendsKeepTheOldBlocksAndInflateToEverything) {
    std::vector<uint8_t> head = Bytes("голова 0001");
    std::vector<uint8_t> stream = AppendableZlibStream(head, Sample(0, 3'000));
    std::string expected(Joined({Sample(0, 3'000)}));
    for (int run = 1; run <= 40; ++run) {
        const std::optional<ZlibBody> body = FindZlibBody(stream, head.size());
        ASSERT_TRUE(body) << "run " << run;
        const std::vector<uint8_t> kept(stream.begin() + static_cast<ptrdiff_t>(body->Begin),
                                        stream.begin() + static_cast<ptrdiff_t>(body->End));
        head = Bytes("голова " + std::to_string(1001 + run).substr(1));
        const std::vector<uint8_t> more = Sample(run, 1'000 + run * 97);
        stream = AppendToZlibStream(stream, *body, head, more);
        expected += std::string(more.begin(), more.end());
        ASSERT_EQ(PlainInflate(stream, expected.size() + head.size()),
                  std::string(head.begin(), head.end()) + expected)
            << "run " << run;
        // The old body's compressed bytes stand unchanged in the new stream.
        EXPECT_NE(std::search(stream.begin(), stream.end(), kept.begin(), kept.end()),
                  stream.end());
    }
    // Each new part refers back into the ones before it, so a run costs
    // far less than it would compressed alone.
    EXPECT_LT(stream.size(), 40 * DeflateSegment(Sample(20, 3'000), {}, true).size());
}

TEST(AppendableZlibTest, AStreamOfAnotherWriterHasNoBody) {
    const std::string all = "голова 0001" + std::string(5'000, 'x');
    const std::vector<uint8_t> single =
        ZlibCompress(reinterpret_cast<const uint8_t*>(all.data()), all.size(), 9);
    EXPECT_FALSE(FindZlibBody(single, 14));
}

TEST(AppendableZlibTest, ABodyThatRefersIntoTheHeadHasNoBody) {
    // Blocks of the body compressed with the head as their dictionary:
    // they inflate as one stream, but cannot be kept behind another head.
    const std::vector<uint8_t> head = Sample(5, 4'000), body = Sample(5, 8'000);
    std::vector<uint8_t> stream = {0x78, 0xDA};
    for (const auto& part : {DeflateSegment(head, {}, false), DeflateSegment(body, head, true)})
        stream.insert(stream.end(), part.begin(), part.end());
    const std::string all = Joined({head, body});
    const uLong adler = adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef*>(all.data()),
                                uInt(all.size()));
    for (int shift = 24; shift >= 0; shift -= 8)
        stream.push_back(uint8_t(adler >> shift));
    ASSERT_EQ(PlainInflate(stream, all.size()), all);
    EXPECT_FALSE(FindZlibBody(stream, head.size()));
}

TEST(AppendableZlibTest, DamageNeverLeadsToAWrongStream) {
    const std::vector<uint8_t> head = Bytes("голова 0001"), body = Sample(2, 20'000);
    const std::vector<uint8_t> stream = AppendableZlibStream(head, body);
    const std::string content = Joined({head, body});
    const std::vector<uint8_t> more = Bytes("ещё одна запись");
    int refused = 0;
    for (size_t at = 0; at < stream.size(); ++at) {
        for (const uint8_t flip : {0x01, 0x5A, 0xFF}) {
            std::vector<uint8_t> damaged = stream;
            damaged[at] ^= flip;
            const std::optional<ZlibBody> found = FindZlibBody(damaged, head.size());
            if (!found) {
                ++refused;
                continue;
            }
            // Only a flip of the padding bits that end a byte before a
            // stored block goes unnoticed: the stream still means the same.
            ASSERT_EQ(PlainInflate(damaged, content.size()), content) << "byte " << at;
            ASSERT_EQ(PlainInflate(AppendToZlibStream(damaged, *found, head, more),
                                   content.size() + more.size()),
                      content + std::string(more.begin(), more.end()));
        }
    }
    EXPECT_GT(refused, int(stream.size()) * 3 - 12);
    for (const size_t cut : {size_t(1), size_t(4), size_t(6), stream.size() / 2})
        EXPECT_FALSE(FindZlibBody(std::span(stream).first(stream.size() - cut), head.size()));
}

} // namespace
} // namespace tevrix
