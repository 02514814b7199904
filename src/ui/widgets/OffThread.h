// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tevrix {

// Runs blocking work (a server exchange) on a worker thread and returns when
// it has ended; the window goes on with its events meanwhile (timers,
// painting, clicks), so it never freezes. Call it on the window's thread.
void RunOffThread(const std::function<void()>& work);

} // namespace tevrix
