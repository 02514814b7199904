// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/VirtualTime.h"

#include <algorithm>

namespace tevrix {

namespace {
constexpr double kMillisecondsPerDay = 86'400'000.0;
} // namespace

double VirtualTime::Now() const {
    return m_start + double(m_now) / kMillisecondsPerDay;
}

int64_t VirtualTime::Interval(SessionTimer timer) {
    return timer == SessionTimer::TimerModeMono ? 100 : 1000;
}

void VirtualTime::StartTimer(SessionTimer timer) {
    Timer& state = Of(timer);
    state.Running = true;
    state.Due = m_now + Interval(timer);
    state.Started = ++m_starts;
}

void VirtualTime::StopTimer(SessionTimer timer) {
    Of(timer).Running = false;
}

bool VirtualTime::IsRunning(SessionTimer timer) const {
    return m_timers[size_t(timer)].Running;
}

void VirtualTime::Advance(int64_t milliseconds) {
    const int64_t target = m_now + std::max<int64_t>(milliseconds, 0);
    for (;;) {
        int next = -1;
        for (int i = 0; i < int(m_timers.size()); ++i) {
            const Timer& timer = m_timers[size_t(i)];
            if (!timer.Running || timer.Due > target)
                continue;
            const Timer* best = next < 0 ? nullptr : &m_timers[size_t(next)];
            if (!best || timer.Due < best->Due ||
                (timer.Due == best->Due && timer.Started < best->Started))
                next = i;
        }
        if (next < 0)
            break;
        const auto timer = SessionTimer(next);
        Timer& state = Of(timer);
        m_now = std::max(m_now, state.Due);
        state.Due += Interval(timer);
        if (m_handler)
            m_handler(timer);
    }
    m_now = std::max(m_now, target);
}

} // namespace tevrix
