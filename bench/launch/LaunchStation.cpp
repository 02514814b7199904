// SPDX-License-Identifier: GPL-3.0-or-later
// The station started exactly as the program starts, ended at the first
// paint of its window.
#include "FirstPaintProbe.h"
#include "StationStartup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    tevrix::bench::FirstPaintProbe probe;
    application.installEventFilter(&probe);
    return tevrix::RunStation();
}
