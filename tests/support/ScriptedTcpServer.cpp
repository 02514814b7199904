// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedTcpServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace tevrix::testing {
namespace {

// Longest the server waits for a client that neither sends nor closes; a
// test that gets here has failed already.
constexpr int kIdleLimitMs = 10'000;

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int BoundPort(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

// Reads what is there into `record`; false at the end of the data, on an
// error or after kIdleLimitMs of silence.
bool ReadSome(int fd, std::string& record) {
    pollfd entry{fd, POLLIN, 0};
    if (::poll(&entry, 1, kIdleLimitMs) <= 0)
        return false;
    char chunk[4096];
    const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
    if (got <= 0)
        return false;
    record.append(chunk, static_cast<size_t>(got));
    return true;
}

} // namespace

ServerStep ReadLines(int lines) {
    return {ServerStep::Kind::ReadLines, lines, {}};
}

ServerStep Send(std::string bytes) {
    return {ServerStep::Kind::Send, 0, std::move(bytes)};
}

ServerStep CloseNow() {
    return {ServerStep::Kind::Close, 0, {}};
}

ScriptedTcpServer::ScriptedTcpServer() {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = Loopback(0);
    if (m_listener < 0 ||
        ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 8) != 0)
        throw std::runtime_error("the test server cannot listen");
    m_port = BoundPort(m_listener);
    m_thread = std::thread([this] { Serve(); });
}

ScriptedTcpServer::~ScriptedTcpServer() {
    m_stop = true;
    m_thread.join();
    ::close(m_listener);
}

void ScriptedTcpServer::Expect(ServerScript script) {
    const std::lock_guard lock(m_mutex);
    m_scripts.push_back(std::move(script));
}

std::string ScriptedTcpServer::Received(size_t index) {
    std::unique_lock lock(m_mutex);
    if (!m_ended.wait_for(lock, std::chrono::seconds(5),
                          [&] { return m_received.size() > index; })) {
        ADD_FAILURE() << "connection " << index << " did not end";
        return {};
    }
    return m_received[index];
}

size_t ScriptedTcpServer::ConnectionCount() {
    const std::lock_guard lock(m_mutex);
    return m_received.size();
}

void ScriptedTcpServer::Serve() {
    while (!m_stop) {
        pollfd entry{m_listener, POLLIN, 0};
        if (::poll(&entry, 1, 20) <= 0)
            continue;
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ServerScript script;
        {
            const std::lock_guard lock(m_mutex);
            if (!m_scripts.empty()) {
                script = std::move(m_scripts.front());
                m_scripts.pop_front();
            }
        }
        std::string record = Play(fd, script);
        ::close(fd);
        const std::lock_guard lock(m_mutex);
        m_received.push_back(std::move(record));
        m_ended.notify_all();
    }
}

std::string ScriptedTcpServer::Play(int fd, const ServerScript& script) {
    std::string record;
    // Counts every LF received: the station sends only lines before the
    // replies it waits for, so none of them is a byte of a block.
    size_t linesWanted = 0;
    for (const ServerStep& step : script) {
        switch (step.What) {
        case ServerStep::Kind::ReadLines:
            linesWanted += static_cast<size_t>(step.Lines);
            while (static_cast<size_t>(std::count(record.begin(), record.end(), '\n')) <
                   linesWanted)
                if (!ReadSome(fd, record))
                    return record;
            break;
        case ServerStep::Kind::Send:
            ::send(fd, step.Bytes.data(), step.Bytes.size(), MSG_NOSIGNAL);
            break;
        case ServerStep::Kind::Close: return record;
        }
    }
    while (ReadSome(fd, record)) {
    }
    return record;
}

int UnusedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = Loopback(0);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int port = BoundPort(fd);
    ::close(fd);
    return port;
}

} // namespace tevrix::testing
