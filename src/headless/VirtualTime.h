// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/SessionTimers.h"
#include "text/DateTime.h"

#include <array>
#include <cstdint>
#include <functional>

namespace tevrix {

// A clock and the window's timers in simulated time, for runs without a
// window: time passes only when Advance is called, and the timers tick as
// they would have in that time.
class VirtualTime final : public Clock, public SessionTimers {
public:
    using TickHandler = std::function<void(SessionTimer)>;

    explicit VirtualTime(double start) : m_start(start) {}

    double Now() const override;
    void StartTimer(SessionTimer timer) override;
    void StopTimer(SessionTimer timer) override;
    bool IsRunning(SessionTimer timer) const;
    int64_t ElapsedMilliseconds() const { return m_now; }

    // Receives the ticks.
    void SetTickHandler(TickHandler handler) { m_handler = std::move(handler); }
    // Lets `milliseconds` pass. Each running timer ticks every time its
    // interval has elapsed; ticks due at the same moment come in the order
    // in which their timers were started. A tick may itself let time pass
    // (a message box left open); that time counts within this call.
    void Advance(int64_t milliseconds);

private:
    struct Timer {
        bool Running = false;
        int64_t Due = 0;
        uint64_t Started = 0; // order of starting
    };
    static int64_t Interval(SessionTimer timer);
    Timer& Of(SessionTimer timer) { return m_timers[size_t(timer)]; }

    double m_start;
    int64_t m_now = 0;
    uint64_t m_starts = 0;
    std::array<Timer, 3> m_timers{};
    TickHandler m_handler;
};

} // namespace tevrix
