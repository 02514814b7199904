// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/LineChannel.h"

#include "net/NetError.h"
#include "net/ServerProtocol.h"
#include "text/Cp1251.h"

#include <algorithm>
#include <charconv>

namespace tevrix {
namespace {

constexpr size_t kReceiveChunk = 64 * 1024;

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string LineSafeText(std::string_view text) {
    std::string safe(text);
    std::replace_if(
        safe.begin(), safe.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return safe;
}

std::optional<int64_t> ParseDecimal(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    // from_chars takes a '-' but no '+'.
    const bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    if (text.empty() || (plus && text.front() == '-'))
        return std::nullopt;
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

void LineChannel::SendLine(std::string_view text) {
    const std::string line = Utf8ToCp1251(LineSafeText(text)) + "\r\n";
    m_connection.Send(Bytes(line));
}

void LineChannel::SendBlock(std::span<const uint8_t> bytes) {
    SendLine(std::to_string(bytes.size()));
    m_connection.Send(bytes);
}

std::string LineChannel::ReceiveLine() {
    size_t searched = 0;
    size_t end;
    while ((end = m_buffer.find('\n', searched)) == std::string::npos) {
        // Room for the longest line and the CR before its LF.
        if (m_buffer.size() > kMaxLineLength + 1)
            throw NetError("a line from the server is too long");
        searched = m_buffer.size();
        ReceiveMore();
    }
    std::string line = m_buffer.substr(0, end);
    m_buffer.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kMaxLineLength)
        throw NetError("a line from the server is too long");
    return Cp1251ToUtf8(line);
}

int64_t LineChannel::ReceiveCount(int64_t maximum) {
    const std::string line = ReceiveLine();
    const std::optional<int64_t> count = ParseDecimal(line);
    if (!count)
        throw NetError("not a number: \"" + line + "\"");
    if (*count < 0 || *count > maximum)
        throw NetError("a count out of range: " + line);
    return *count;
}

std::vector<uint8_t> LineChannel::ReceiveBytes(size_t count) {
    std::vector<uint8_t> bytes;
    const size_t buffered = std::min(count, m_buffer.size());
    bytes.assign(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(buffered));
    m_buffer.erase(0, buffered);
    while (bytes.size() < count) {
        const size_t had = bytes.size();
        bytes.resize(had + std::min(kReceiveChunk, count - had));
        const size_t got = m_connection.Receive(bytes.data() + had, bytes.size() - had);
        if (got == 0)
            throw NetError("the server closed the connection in the middle of a block");
        bytes.resize(had + got);
    }
    return bytes;
}

void LineChannel::ReceiveMore() {
    char chunk[4096];
    const size_t got = m_connection.Receive(reinterpret_cast<uint8_t*>(chunk), sizeof chunk);
    if (got == 0)
        throw NetError("the server closed the connection");
    m_buffer.append(chunk, got);
}

} // namespace tevrix
