// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tevrix {

// The main window's program state, shown in the status bar and enabling the
// commands.
enum class ProgramState {
    NoTest = 1,      // no test is open (also while one is being loaded)
    TestLoaded = 2,  // a test is open and no run is under way
    TestRunning = 3, // a run is under way; a result record exists
};

} // namespace tevrix
