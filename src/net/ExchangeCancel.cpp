// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ExchangeCancel.h"

#include "net/NetError.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tevrix {

ExchangeCancel::ExchangeCancel() : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (m_fd < 0)
        throw NetError(std::string("eventfd: ") + std::strerror(errno));
}

ExchangeCancel::~ExchangeCancel() {
    ::close(m_fd);
}

void ExchangeCancel::Cancel() {
    const uint64_t one = 1;
    // The counter only grows: a failed write means it is readable already.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

void ExchangeCancel::Reset() {
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_fd, &count, sizeof count);
}

bool ExchangeCancel::Cancelled() const {
    pollfd entry{m_fd, POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0;
}

} // namespace tevrix
