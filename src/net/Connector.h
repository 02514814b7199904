// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Connection.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tevrix {

// Where the teacher's server listens: a host name or address and a TCP port.
struct ServerAddress {
    std::string Host;
    int32_t Port = 0;
};

// Opens connections to the server, one per exchange. The station uses TCP;
// tests may count or refuse connections.
class Connector {
public:
    virtual ~Connector() = default;
    // Throws NetError when no connection can be made.
    virtual std::unique_ptr<Connection> Connect(const ServerAddress& address) = 0;
};

} // namespace tevrix
