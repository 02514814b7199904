// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A connection in memory for the framing tests: it hands out the server's
// bytes in the chunks given, then reports the server closed, and records
// what the station sends.

#include "net/Connection.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>

namespace tevrix::testing {

class MemoryConnection final : public Connection {
public:
    explicit MemoryConnection(std::deque<std::string> chunks) : m_chunks(std::move(chunks)) {}

    void Send(std::span<const uint8_t> bytes) override {
        m_sent.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    size_t Receive(uint8_t* buffer, size_t size) override {
        if (m_chunks.empty())
            return 0;
        std::string& chunk = m_chunks.front();
        const size_t count = std::min(size, chunk.size());
        std::memcpy(buffer, chunk.data(), count);
        chunk.erase(0, count);
        if (chunk.empty())
            m_chunks.pop_front();
        return count;
    }

    const std::string& Sent() const { return m_sent; }

private:
    std::deque<std::string> m_chunks;
    std::string m_sent;
};

} // namespace tevrix::testing
