// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tevrix {

// Named markers that live until the computer restarts, where Windows has its
// global atoms. A marker is a file in the folder, named "run-" followed by
// the hexadecimal digits of the marker name's bytes (the first
// kMaxNameBytes of them), that holds the boot id of the boot in which it was
// made; a file left from an earlier boot is no marker. The folder and the
// boot id are passed in, so a test can simulate a restart.
class RebootMarkers {
public:
    // Longer names share a marker with every name of the same beginning;
    // the test files' UIds are 38 characters.
    static constexpr size_t kMaxNameBytes = 120;

    // Without a folder no marker exists and none can be made.
    RebootMarkers(std::string folder, std::string bootId);

    bool Exists(std::string_view name) const;
    // Makes the marker, creating the folder when missing; false when it
    // could not be made.
    bool Create(std::string_view name);

private:
    std::string FilePath(std::string_view name) const;

    std::string m_folder;
    std::string m_bootId;
};

// The kernel's id of the running boot, a new one at every start of the
// computer; empty when it cannot be read. With an empty id every marker,
// once made, is taken to exist until its file is removed.
std::string CurrentBootId();

} // namespace tevrix
