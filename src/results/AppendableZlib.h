// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tevrix {

// A zlib stream (RFC 1950) made of a head and a body, each a run of deflate
// blocks that ends at a full flush point: byte-aligned, and nothing after it
// refers back across it. More data is added to such a stream without
// compressing the old data again: a new head, the old body's compressed
// bytes as they are, the new data, the end; the checksum is combined from
// the parts'. Any zlib reader inflates the result as one stream.
//
//   2 bytes    zlib header (level 9)
//   head       deflate blocks, then an empty stored block (full flush)
//   body       deflate blocks, then an empty stored block (full flush)
//   end        the empty final block, then Adler-32 of head + body, big-endian

// The raw deflate blocks of `data` at level 9, ended by a full flush and,
// when `last`, by the final block. `dictionary` is the data that precedes
// these blocks in the stream (at most its last 32 KiB are used): the blocks
// may refer back into it.
std::vector<uint8_t> DeflateSegment(std::span<const uint8_t> data,
                                    std::span<const uint8_t> dictionary, bool last);

// A whole stream of `head` and `body` in the shape above.
std::vector<uint8_t> AppendableZlibStream(std::span<const uint8_t> head,
                                          std::span<const uint8_t> body);

// The head and body of an appendable stream, found by inflating it.
struct ZlibBody {
    size_t Begin = 0;             // offset of the body's first compressed byte
    size_t End = 0;               // offset just after the body's full flush point
    uint32_t Adler = 1;           // Adler-32 of the inflated body
    std::vector<uint8_t> Head;    // the inflated head
    std::vector<uint8_t> Content; // the inflated body
};

// The body of `stream` when the stream has the shape above with a head that
// inflates to exactly `headLength` bytes, the body refers back only into
// itself, and the checksum matches; nothing otherwise (a stream written by
// another writer, or damaged), so that the caller rewrites it whole.
std::optional<ZlibBody> FindZlibBody(std::span<const uint8_t> stream, size_t headLength);

// The stream `old` with `head` in place of its head and `more` after its
// body. `body` is what FindZlibBody found in `old`.
std::vector<uint8_t> AppendToZlibStream(std::span<const uint8_t> old, const ZlibBody& body,
                                        std::span<const uint8_t> head,
                                        std::span<const uint8_t> more);

} // namespace tevrix
