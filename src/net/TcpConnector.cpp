// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/TcpConnector.h"

#include "net/NetError.h"
#include "net/SocketWait.h"
#include "net/TcpConnection.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace tevrix {
namespace {

// The resolver's list, freed when it goes out of scope.
struct AddressList {
    addrinfo* First = nullptr;
    ~AddressList() {
        if (First)
            ::freeaddrinfo(First);
    }
};

// Opens a non-blocking socket connected to `address`; returns it, or -1
// with `error` set.
int ConnectOne(const addrinfo& address, std::chrono::milliseconds timeout,
               const ExchangeCancel* cancel, std::string& error) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            address.ai_protocol);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    try {
        if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
            if (errno != EINPROGRESS)
                throw NetError(std::string("connect: ") + std::strerror(errno));
            WaitForSocket(fd, POLLOUT, timeout, cancel);
            int status = 0;
            socklen_t length = sizeof status;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &status, &length) != 0)
                status = errno;
            if (status != 0)
                throw NetError(std::string("connect: ") + std::strerror(status));
        }
        return fd;
    } catch (const NetError& failure) {
        ::close(fd);
        error = failure.what();
        return -1;
    }
}

} // namespace

std::unique_ptr<Connection> TcpConnector::Connect(const ServerAddress& address) {
    if (address.Port < 1 || address.Port > 65535)
        throw NetError("no such port: " + std::to_string(address.Port));
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    AddressList list;
    const int resolved = ::getaddrinfo(address.Host.c_str(), std::to_string(address.Port).c_str(),
                                       &hints, &list.First);
    if (resolved != 0)
        throw NetError("cannot resolve \"" + address.Host + "\": " + ::gai_strerror(resolved));
    std::string error = "no address";
    for (const addrinfo* entry = list.First; entry; entry = entry->ai_next) {
        const int fd = ConnectOne(*entry, m_timeouts.Connect, m_cancel, error);
        if (fd >= 0)
            return std::make_unique<TcpConnection>(fd, m_timeouts.Transfer, m_cancel);
    }
    throw NetError(error);
}

} // namespace tevrix
