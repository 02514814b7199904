// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/OffThread.h"

#include <QEventLoop>

#include <thread>

namespace tevrix {

void RunOffThread(const std::function<void()>& work) {
    QEventLoop loop;
    std::thread worker([&] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
}

} // namespace tevrix
