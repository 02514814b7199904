// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tevrix {

// The two folders the station works with.
//
// A portable station (the build folder, a USB stick, a school's share) keeps
// everything in the executable's folder. An installed one cannot write there:
// the pupil's files go to $XDG_DATA_HOME/TevrixStudent, and what comes with
// the program is read from the installation's data folder.
struct StationFolders {
    // Writable, ending with '/': the configuration file, the result log, the
    // protected results, language.txt.
    std::string Station;
    // Read-only, ending with '/': the catalogues below locale/, the user
    // guide, the licence. The same as Station for a portable station.
    std::string Data;
    bool Installed = false;
};

// What the choice looks at.
struct StationFolderFacts {
    std::string ExecutableDir; // ending with '/'
    bool ExecutableDirWritable = false;
    // The installation's data folder when one lies where an installation
    // puts it relative to the executable (ending with '/'), else empty.
    std::string InstalledDataDir;
    // $XDG_DATA_HOME, or ~/.local/share; empty when there is no home.
    std::string DataHome;
};

// Portable when the executable's folder is writable and no installation's
// data folder lies beside it; installed otherwise. An installed station
// without a data folder (a read-only copy of a portable one) reads its data
// from the executable's folder; without any home it stays in the
// executable's folder.
StationFolders ChooseStationFolders(const StationFolderFacts& facts);

// The facts of the running program.
StationFolderFacts StationFolderFactsOfThisProcess();

// The name of the station's folder below the data home.
inline constexpr const char* kStationFolderName = "TevrixStudent";

// The folder holding the system-wide starting configuration of installed
// stations, ending with '/'.
inline constexpr const char* kSystemConfigDir = "/etc/tevrix-student/";

// Makes an installed station's folder ready on start: creates it when
// missing, and copies each of `startingFiles` (full paths) that exists into
// it unless the folder has a file of that name already. Does nothing for a
// portable station. False when the folder cannot be created; a file that
// cannot be copied is skipped.
bool PrepareStationFolder(const StationFolders& folders,
                          const std::vector<std::string>& startingFiles);

} // namespace tevrix
