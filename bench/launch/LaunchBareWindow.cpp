// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the launch benchmark: a Qt Widgets program that shows one
// empty window of the station's size, ended at its first paint.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    tevrix::bench::FirstPaintProbe probe;
    application.installEventFilter(&probe);
    QWidget window;
    window.resize(800, 700);
    window.show();
    return QApplication::exec();
}
