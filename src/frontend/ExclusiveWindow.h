// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tevrix {

// What exclusive mode needs of the main window.
class ExclusiveWindow {
public:
    virtual ~ExclusiveWindow() = default;
    // Remembers left, top, height, width and form style.
    virtual void SaveWindowPlacement() = 0;
    // Border style none, stay on top, the whole screen.
    virtual void CoverScreen() = 0;
    // One tick of the mode: covers the screen again, takes the foreground
    // back from another program and restores a minimised window (with the
    // system's minimise animation off meanwhile).
    virtual void HoldExclusiveMode() = 0;
    // Back to the remembered placement and style, border sizeable.
    virtual void RestoreWindowPlacement() = 0;
};

} // namespace tevrix
