// SPDX-License-Identifier: GPL-3.0-or-later
// The student station: the main window over the session engine.
#include "StationStartup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    const tevrix::StationLaunch launch = tevrix::PrepareStation(argc, argv);
    if (launch.ExitCode)
        return *launch.ExitCode;
    QApplication application(argc, argv);
    return tevrix::RunStation(launch);
}
