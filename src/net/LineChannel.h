// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Connection.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

// The line and block framing of the server protocol over one connection.
// Texts are UTF-8 here and Windows-1251 on the wire. Every failure throws
// NetError: the connection's own, a connection closed before a line or a
// block is complete, a line over kMaxLineLength bytes, a size line that is
// no number or out of range.
class LineChannel {
public:
    explicit LineChannel(Connection& connection) : m_connection(connection) {}

    // Sends `text` and CR LF. A CR or LF inside the text becomes a blank.
    void SendLine(std::string_view text);
    // Sends the byte count as a line, then the bytes.
    void SendBlock(std::span<const uint8_t> bytes);

    // The next line without its LF and the CR right before it.
    std::string ReceiveLine();
    // A line holding a count of 0 to `maximum`.
    int64_t ReceiveCount(int64_t maximum);
    // Exactly `count` bytes. Memory grows with the bytes that arrive, never
    // ahead of them.
    std::vector<uint8_t> ReceiveBytes(size_t count);

private:
    // Reads more bytes into m_buffer; throws when the server has closed.
    void ReceiveMore();

    Connection& m_connection;
    std::string m_buffer; // received and not yet taken
};

// A line's text as a decimal integer: an optional sign and digits, blanks
// around them allowed; nothing when it is anything else or beyond 64 bits.
std::optional<int64_t> ParseDecimal(std::string_view text);

// The text of a value as it may travel in a line: each CR and LF a blank.
std::string LineSafeText(std::string_view text);

} // namespace tevrix
