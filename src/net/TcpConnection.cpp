// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/TcpConnection.h"

#include "net/NetError.h"
#include "net/SocketWait.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace tevrix {
namespace {

bool MustWait(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

} // namespace

TcpConnection::TcpConnection(int fd, std::chrono::milliseconds transferTimeout,
                             const ExchangeCancel* cancel)
    : m_fd(fd), m_transferTimeout(transferTimeout), m_cancel(cancel) {}

TcpConnection::~TcpConnection() {
    ::close(m_fd);
}

void TcpConnection::Send(std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a server that has gone away is an error of the
        // exchange, not a SIGPIPE that ends the program.
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent >= 0) {
            bytes = bytes.subspan(static_cast<size_t>(sent));
            continue;
        }
        if (!MustWait(errno))
            throw NetError(std::string("send: ") + std::strerror(errno));
        WaitForSocket(m_fd, POLLOUT, m_transferTimeout, m_cancel);
    }
}

size_t TcpConnection::Receive(uint8_t* buffer, size_t size) {
    for (;;) {
        const ssize_t got = ::recv(m_fd, buffer, size, 0);
        if (got >= 0)
            return static_cast<size_t>(got);
        if (!MustWait(errno))
            throw NetError(std::string("recv: ") + std::strerror(errno));
        WaitForSocket(m_fd, POLLIN, m_transferTimeout, m_cancel);
    }
}

} // namespace tevrix
