// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace tevrix {

class ExchangeCancel;

// Waits until the socket `fd` is ready for `events` (POLLIN, POLLOUT) or
// has an error to report. Throws NetError when `timeout` passes first or
// the wait itself fails, or at once when `cancel` (if any) is cancelled; a
// signal does not shorten the wait.
void WaitForSocket(int fd, short events, std::chrono::milliseconds timeout,
                   const ExchangeCancel* cancel);

} // namespace tevrix
