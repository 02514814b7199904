// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Connector.h"
#include "net/NetTimeouts.h"

namespace tevrix {

// Connects over TCP to every address the host name resolves to, in the
// resolver's order, until one accepts. A port outside 1..65535 fails at once.
class TcpConnector final : public Connector {
public:
    explicit TcpConnector(NetTimeouts timeouts = {}) : m_timeouts(timeouts) {}
    std::unique_ptr<Connection> Connect(const ServerAddress& address) override;

private:
    NetTimeouts m_timeouts;
};

} // namespace tevrix
