// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Connection.h"

#include <chrono>

namespace tevrix {

class ExchangeCancel;

// A connected non-blocking TCP socket. Every send and receive waits at most
// the transfer time-out for progress. The socket is closed on destruction.
class TcpConnection final : public Connection {
public:
    // Takes ownership of the connected socket `fd`; `cancel`, when given,
    // breaks off any wait.
    TcpConnection(int fd, std::chrono::milliseconds transferTimeout,
                  const ExchangeCancel* cancel = nullptr);
    ~TcpConnection() override;
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    void Send(std::span<const uint8_t> bytes) override;
    size_t Receive(uint8_t* buffer, size_t size) override;

private:
    int m_fd;
    std::chrono::milliseconds m_transferTimeout;
    const ExchangeCancel* m_cancel;
};

} // namespace tevrix
