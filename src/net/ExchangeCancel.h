// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tevrix {

// Lets another thread break off the server exchanges of a connector: once
// cancelled, every wait on a socket fails at once (connecting, sending,
// receiving) until the next Reset. The pupil's "Отмена" and closing the
// window use it, so the station never waits out a silent server.
class ExchangeCancel {
public:
    ExchangeCancel();
    ~ExchangeCancel();
    ExchangeCancel(const ExchangeCancel&) = delete;
    ExchangeCancel& operator=(const ExchangeCancel&) = delete;

    // From any thread.
    void Cancel();
    // Before the next exchange.
    void Reset();
    bool Cancelled() const;
    // A descriptor that is readable while cancelled, for poll().
    int Descriptor() const { return m_fd; }

private:
    int m_fd;
};

} // namespace tevrix
