// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tevrix {

// Starts the station in the running QApplication: the locale and the
// interface catalogues, the program's names, the main window with the test
// named by the first argument; runs the event loop until the window closes
// and returns the program's exit code.
int RunStation();

} // namespace tevrix
