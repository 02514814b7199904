// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Connector.h"
#include "net/NetTimeouts.h"

namespace tevrix {

class ExchangeCancel;

// Connects over TCP to every address the host name resolves to, in the
// resolver's order, until one accepts. A port outside 1..65535 fails at once.
class TcpConnector final : public Connector {
public:
    // `cancel`, when given, breaks off the connections it makes.
    explicit TcpConnector(NetTimeouts timeouts = {}, const ExchangeCancel* cancel = nullptr)
        : m_timeouts(timeouts), m_cancel(cancel) {}
    std::unique_ptr<Connection> Connect(const ServerAddress& address) override;

private:
    NetTimeouts m_timeouts;
    const ExchangeCancel* m_cancel;
};

} // namespace tevrix
