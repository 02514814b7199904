// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Test.h"

#include <QDialog>

#include <cstddef>

namespace tevrix {

class RichTextArea;

// The summary of a test just opened, written into the question text area
// (emptied first); `taskCount` is the number of tasks in the test.
void WriteOpenedTestSummary(const TTest& test, size_t taskCount, RichTextArea& area);

// "Информация о тесте": everything the test tells about itself. Its links
// open with the desktop's handler.
class TTestInfoForm : public QDialog {
    Q_OBJECT

public:
    explicit TTestInfoForm(QWidget* parent = nullptr);

    // Fills a new window for `test` and shows it modally.
    static void ShowTestInfo(QWidget* parent, const TTest& test, size_t taskCount);
    void Fill(const TTest& test, size_t taskCount);
    RichTextArea& Info() { return *m_info; }

private:
    RichTextArea* m_info;
};

} // namespace tevrix
