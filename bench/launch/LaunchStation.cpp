// SPDX-License-Identifier: GPL-3.0-or-later
// The station started exactly as the program starts, ended at the first
// paint of its window.
#include "FirstPaintProbe.h"
#include "StationStartup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    const tevrix::StationLaunch launch = tevrix::PrepareStation(argc, argv);
    if (launch.ExitCode)
        return *launch.ExitCode;
    QApplication application(argc, argv);
    tevrix::bench::FirstPaintProbe probe;
    application.installEventFilter(&probe);
    return tevrix::RunStation(launch);
}
