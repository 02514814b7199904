// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The station's command line, read before the window system is touched so
// that --help and --version work without a display.

#include <string>

namespace tevrix {

enum class StationAction {
    Run,         // start the window, opening TestFile when it is not empty
    ShowHelp,    // print StationHelp() and exit 0
    ShowVersion, // print the version and exit 0
    ShowFolders, // print the station's folders and exit 0
    Refuse,      // print Message and the hint and exit 2
};

struct StationCommandLine {
    StationAction Action = StationAction::Run;
    std::string TestFile;
    std::string Message;
};

inline constexpr int kStationUsageExit = 2;

// The first argument that is not an option names the test to open; "--"
// ends the options. Qt's own options (-platform NAME, -style NAME, -reverse,
// ...) are left to Qt.
StationCommandLine ReadStationCommandLine(int argc, const char* const* argv);

std::string StationHelp();

} // namespace tevrix
