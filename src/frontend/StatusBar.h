// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tevrix {

// The status panels a run writes itself; the others follow the program
// state (the window's own rules).
enum class StatusPanel {
    RunTime = 2,      // time since the start of the run
    TaskTime = 3,     // time on the task on screen, over all its showings
    TestTimeLeft = 4, // drawn by the window
    TaskTimeLeft = 5, // drawn by the window
    Price = 10,       // "Цена %d %s"
};

enum class PanelDrawing {
    Plain,
    Red, // the window draws the text itself, in pure red, centred
};

class StatusBar {
public:
    virtual ~StatusBar() = default;
    virtual void SetStatusPanel(StatusPanel panel, const std::string& text,
                                PanelDrawing drawing) = 0;
};

} // namespace tevrix
