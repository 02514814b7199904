// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/AppendableZlib.h"

#include <algorithm>
#include <stdexcept>
#include <zlib.h>

namespace tevrix {
namespace {

constexpr int kLevel = 9;
constexpr int kRawWindowBits = -15; // raw deflate, 32 KiB window
constexpr int kMemLevel = 8;        // zlib's default, as deflateInit uses
constexpr size_t kWindow = 32 * 1024;
constexpr uint8_t kZlibHeader[2] = {0x78, 0xDA}; // deflate, 32 KiB window, level 9
constexpr size_t kTrailerSize = 4;
constexpr size_t kChunk = 64 * 1024;

uInt Size32(size_t size) {
    if (size > UINT32_MAX)
        throw std::length_error("deflate segment too large");
    return static_cast<uInt>(size);
}

uint32_t Adler(std::span<const uint8_t> data) {
    uLong adler = adler32(0L, Z_NULL, 0);
    for (size_t done = 0; done < data.size();) {
        const uInt part = static_cast<uInt>(std::min<size_t>(data.size() - done, 1u << 30));
        adler = adler32(adler, data.data() + done, part);
        done += part;
    }
    return static_cast<uint32_t>(adler);
}

uint32_t Combine(uint32_t first, uint32_t second, size_t secondLength) {
    return static_cast<uint32_t>(
        adler32_combine64(first, second, static_cast<z_off64_t>(secondLength)));
}

void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// Inflates raw deflate data block by block, reporting every block boundary.
class BlockInflater {
public:
    explicit BlockInflater(std::span<const uint8_t> input) {
        if (inflateInit2(&m_z, kRawWindowBits) != Z_OK)
            throw std::runtime_error("inflateInit2 failed");
        m_z.next_in = const_cast<Bytef*>(input.data());
        m_z.avail_in = Size32(input.size());
    }
    ~BlockInflater() { inflateEnd(&m_z); }
    BlockInflater(const BlockInflater&) = delete;
    BlockInflater& operator=(const BlockInflater&) = delete;

    // Inflates up to the next block boundary, the end of the stream or the
    // end of the input; `sink` gets the output. False on damaged data, on a
    // reference to data before the input's start, and when the input ended
    // before the stream did.
    template <typename Sink> bool Step(Sink&& sink) {
        for (;;) {
            m_z.next_out = m_out.data();
            m_z.avail_out = Size32(m_out.size());
            const int status = inflate(&m_z, Z_BLOCK);
            sink(std::span<const uint8_t>(m_out.data(), m_out.size() - m_z.avail_out));
            if (status == Z_STREAM_END) {
                m_ended = true;
                return true;
            }
            if (status != Z_OK) // damaged, or cut off (no progress without more input)
                return false;
            if (AtBlockBoundary() || m_z.avail_in == 0)
                return true;
        }
    }
    // Just after the end of a block, on a byte boundary.
    bool AtByteAlignedBoundary() const { return AtBlockBoundary() && (m_z.data_type & 7) == 0; }
    bool Ended() const { return m_ended; }
    bool InputLeft() const { return m_z.avail_in > 0; }
    size_t In() const { return m_z.total_in; }
    size_t Out() const { return m_z.total_out; }

private:
    bool AtBlockBoundary() const { return (m_z.data_type & 128) != 0; }

    z_stream m_z{};
    std::vector<uint8_t> m_out = std::vector<uint8_t>(kChunk);
    bool m_ended = false;
};

} // namespace

std::vector<uint8_t> DeflateSegment(std::span<const uint8_t> data,
                                    std::span<const uint8_t> dictionary, bool last) {
    z_stream z{};
    if (deflateInit2(&z, kLevel, Z_DEFLATED, kRawWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::vector<uint8_t> out;
    try {
        if (!dictionary.empty()) {
            const auto tail =
                dictionary.subspan(dictionary.size() - std::min(dictionary.size(), kWindow));
            deflateSetDictionary(&z, tail.data(), Size32(tail.size()));
        }
        z.next_in = const_cast<Bytef*>(data.data());
        z.avail_in = Size32(data.size());
        const auto run = [&](int flush) {
            int status;
            do {
                uint8_t chunk[kChunk];
                z.next_out = chunk;
                z.avail_out = sizeof chunk;
                status = deflate(&z, flush);
                if (status == Z_STREAM_ERROR)
                    throw std::runtime_error("deflate failed");
                out.insert(out.end(), chunk, chunk + (sizeof chunk - z.avail_out));
            } while (z.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
        };
        run(Z_FULL_FLUSH);
        if (last)
            run(Z_FINISH);
    } catch (...) {
        deflateEnd(&z);
        throw;
    }
    deflateEnd(&z);
    return out;
}

std::vector<uint8_t> AppendableZlibStream(std::span<const uint8_t> head,
                                          std::span<const uint8_t> body) {
    std::vector<uint8_t> stream(std::begin(kZlibHeader), std::end(kZlibHeader));
    const std::vector<uint8_t> headBlocks = DeflateSegment(head, {}, false);
    const std::vector<uint8_t> bodyBlocks = DeflateSegment(body, {}, true);
    stream.insert(stream.end(), headBlocks.begin(), headBlocks.end());
    stream.insert(stream.end(), bodyBlocks.begin(), bodyBlocks.end());
    AppendBigEndian(stream, Combine(Adler(head), Adler(body), body.size()));
    return stream;
}

std::optional<ZlibBody> FindZlibBody(std::span<const uint8_t> stream, size_t headLength) {
    if (stream.size() < sizeof kZlibHeader + kTrailerSize)
        return std::nullopt;
    const unsigned cmf = stream[0], flg = stream[1];
    if ((cmf & 0x0F) != Z_DEFLATED || (cmf >> 4) > 7 || (cmf << 8 | flg) % 31 != 0 ||
        (flg & 0x20) != 0)
        return std::nullopt;
    const std::span<const uint8_t> blocks =
        stream.subspan(sizeof kZlibHeader, stream.size() - sizeof kZlibHeader - kTrailerSize);

    // The head: blocks up to a byte-aligned boundary at exactly headLength.
    ZlibBody body;
    size_t headEnd = 0;
    {
        BlockInflater head(blocks);
        while (headEnd == 0) {
            if (!head.Step([&](std::span<const uint8_t> out) {
                    body.Head.insert(body.Head.end(), out.begin(), out.end());
                }) ||
                head.Ended() || head.Out() > headLength)
                return std::nullopt;
            if (head.Out() == headLength && head.AtByteAlignedBoundary())
                headEnd = head.In();
        }
    }

    // The body, inflated on its own: a reference back into the head fails
    // here. It ends at the last byte-aligned boundary before the final block,
    // which must be empty.
    body.Begin = sizeof kZlibHeader + headEnd;
    size_t flushEnd = 0, flushLength = 0;
    BlockInflater inflater(blocks.subspan(headEnd));
    while (!inflater.Ended()) {
        if (!inflater.Step([&](std::span<const uint8_t> out) {
                body.Content.insert(body.Content.end(), out.begin(), out.end());
            }))
            return std::nullopt;
        if (!inflater.Ended() && inflater.AtByteAlignedBoundary()) {
            flushEnd = inflater.In();
            flushLength = inflater.Out();
        }
    }
    if (inflater.InputLeft() || inflater.Out() != flushLength || flushEnd == 0)
        return std::nullopt;
    body.Adler = Adler(body.Content);
    const std::span<const uint8_t> trailer = stream.last(kTrailerSize);
    const uint32_t stored = uint32_t(trailer[0]) << 24 | uint32_t(trailer[1]) << 16 |
                            uint32_t(trailer[2]) << 8 | trailer[3];
    if (stored != Combine(Adler(body.Head), body.Adler, body.Content.size()))
        return std::nullopt;
    body.End = body.Begin + flushEnd;
    return body;
}

std::vector<uint8_t> AppendToZlibStream(std::span<const uint8_t> old, const ZlibBody& body,
                                        std::span<const uint8_t> head,
                                        std::span<const uint8_t> more) {
    std::vector<uint8_t> stream(std::begin(kZlibHeader), std::end(kZlibHeader));
    const std::vector<uint8_t> headBlocks = DeflateSegment(head, {}, false);
    const std::vector<uint8_t> moreBlocks = DeflateSegment(more, body.Content, true);
    stream.reserve(headBlocks.size() + (body.End - body.Begin) + moreBlocks.size() + 8);
    stream.insert(stream.end(), headBlocks.begin(), headBlocks.end());
    stream.insert(stream.end(), old.begin() + static_cast<ptrdiff_t>(body.Begin),
                  old.begin() + static_cast<ptrdiff_t>(body.End));
    stream.insert(stream.end(), moreBlocks.begin(), moreBlocks.end());
    uint32_t adler = Combine(Adler(head), body.Adler, body.Content.size());
    adler = Combine(adler, Adler(more), more.size());
    AppendBigEndian(stream, adler);
    return stream;
}

} // namespace tevrix
