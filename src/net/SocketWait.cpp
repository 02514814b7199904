// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/SocketWait.h"

#include "net/ExchangeCancel.h"
#include "net/NetError.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <string>

namespace tevrix {

void WaitForSocket(int fd, short events, std::chrono::milliseconds timeout,
                   const ExchangeCancel* cancel) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            throw NetError("the server did not answer in time");
        pollfd entries[2] = {{fd, events, 0}, {cancel ? cancel->Descriptor() : -1, POLLIN, 0}};
        const int ready = ::poll(entries, 2, static_cast<int>(left.count()));
        if (entries[1].revents != 0)
            throw NetError("the exchange was cancelled");
        if (ready > 0)
            return; // readiness or an error: the next call tells which
        if (ready < 0 && errno != EINTR)
            throw NetError(std::string("poll: ") + std::strerror(errno));
    }
}

} // namespace tevrix
