// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/StationFolders.h"

#include <optional>
#include <string>

namespace tevrix {

// What the program learnt before the window system was touched.
struct StationLaunch {
    std::optional<int> ExitCode; // set when the command line was answered without a window
    StationFolders Folders;
    std::string TestFile; // the test to open, empty for none
};

// Reads the command line and chooses the station's folders; answers --help,
// --version, --folders and a refused option on the terminal (ExitCode set);
// otherwise prepares the station folder for the run.
StationLaunch PrepareStation(int argc, const char* const* argv);

// Starts the station in the running QApplication: the locale and the
// interface catalogues, the program's names, the main window with the
// launch's test; runs the event loop until the window closes and returns the
// program's exit code.
int RunStation(const StationLaunch& launch);

} // namespace tevrix
