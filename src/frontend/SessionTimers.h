// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tevrix {

// The main window's timers. Their ticks call the engine: TimerTask ->
// TaskTimerTick, TimerTest -> TestTimerTick, TimerModeMono ->
// ExclusiveTimerTick. Ticks go on arriving while modal windows are open.
enum class SessionTimer {
    TimerTask,     // 1000 ms: the task on screen
    TimerTest,     // 1000 ms: the run
    TimerModeMono, // 100 ms: exclusive mode
};

class SessionTimers {
public:
    virtual ~SessionTimers() = default;
    // Starts the timer anew (its next tick a whole interval away).
    virtual void StartTimer(SessionTimer timer) = 0;
    virtual void StopTimer(SessionTimer timer) = 0;
};

} // namespace tevrix
