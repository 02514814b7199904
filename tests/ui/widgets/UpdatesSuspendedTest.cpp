// SPDX-License-Identifier: GPL-3.0-or-later
// The guard that suspends a window's painting: released on every path, and
// nested guards leave it to the outermost.
#include "ui/widgets/UpdatesSuspended.h"

#include <QtTest>

#include <stdexcept>

namespace tevrix {

class UpdatesSuspendedTest : public QObject {
    Q_OBJECT

private slots:
    void SuspendsTheWholeWindow();
    void NestedGuardsResumeAtTheOutermost();
    void AnExceptionResumesPainting();
    void ASuspensionOfSomeoneElseStays();
};

void UpdatesSuspendedTest::SuspendsTheWholeWindow() {
    QWidget window;
    auto* child = new QWidget(&window);
    {
        UpdatesSuspended suspended(child);
        QVERIFY(!window.updatesEnabled());
    }
    QVERIFY(window.updatesEnabled());
}

void UpdatesSuspendedTest::NestedGuardsResumeAtTheOutermost() {
    QWidget window;
    {
        UpdatesSuspended outer(&window);
        { UpdatesSuspended inner(&window); }
        QVERIFY(!window.updatesEnabled());
    }
    QVERIFY(window.updatesEnabled());
}

void UpdatesSuspendedTest::AnExceptionResumesPainting() {
    QWidget window;
    try {
        UpdatesSuspended suspended(&window);
        throw std::runtime_error("failed half way");
    } catch (const std::runtime_error&) {
    }
    QVERIFY(window.updatesEnabled());
}

void UpdatesSuspendedTest::ASuspensionOfSomeoneElseStays() {
    QWidget window;
    window.setUpdatesEnabled(false);
    { UpdatesSuspended suspended(&window); }
    QVERIFY(!window.updatesEnabled());
}

} // namespace tevrix

QTEST_MAIN(tevrix::UpdatesSuspendedTest)
#include "UpdatesSuspendedTest.moc"
