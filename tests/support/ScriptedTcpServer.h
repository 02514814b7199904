// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A teacher's server for the tests: it listens on 127.0.0.1 at a free port,
// takes one connection at a time, plays a script on each and records every
// byte it receives until the client closes.

#include "net/Connector.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tevrix::testing {

// One step of a connection's script.
struct ServerStep {
    enum class Kind {
        ReadLines, // wait until `Lines` more lines (LFs) have arrived
        Send,      // send `Bytes`
        Close,     // close the connection at once
    };
    Kind What = Kind::ReadLines;
    int Lines = 0;
    std::string Bytes;
};

ServerStep ReadLines(int lines);
ServerStep Send(std::string bytes);
ServerStep CloseNow();

// The steps of one connection. After the last step the server only records
// until the client closes: a script that stops before the reply the client
// waits for is a server that never answers.
using ServerScript = std::vector<ServerStep>;

class ScriptedTcpServer {
public:
    ScriptedTcpServer();
    ~ScriptedTcpServer();
    ScriptedTcpServer(const ScriptedTcpServer&) = delete;
    ScriptedTcpServer& operator=(const ScriptedTcpServer&) = delete;

    ServerAddress Address() const { return {"127.0.0.1", m_port}; }

    // The script of the next connection not yet scripted; connections
    // beyond the scripts given only record.
    void Expect(ServerScript script);

    // The bytes received on connection `index` (from 0), once it has ended.
    // Waits for that a few seconds, then fails the test with an empty text.
    std::string Received(size_t index);
    // Connections taken and ended so far.
    size_t ConnectionCount();

private:
    void Serve();
    std::string Play(int fd, const ServerScript& script);

    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_ended;
    std::deque<ServerScript> m_scripts;
    std::vector<std::string> m_received;
    std::thread m_thread;
};

// A port of 127.0.0.1 on which nothing listens: connecting is refused.
int UnusedPort();

} // namespace tevrix::testing
