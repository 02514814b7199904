// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"
#include "text/TextLocale.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace tevrix {

class PieChartBox;

// The figures of a finished run the result window shows, copied from the
// result record.
struct ResultWindowValues {
    std::string UserName;
    std::string UserGroup;
    int32_t TaskCount = 0;
    int32_t DoneCount = 0;
    int32_t RightCount = 0;
    int32_t Mark = 0;
    std::string MarkName;
    int32_t MaxScore = 0;
    double Score = 0;

    static ResultWindowValues Of(const TResultTest& record);
};

// The modal result window: counts, effectiveness, points and mark of a run
// with a pie chart of the tasks and one of the points. Made once and shown
// again for every run; a run without tasks leaves the texts of the last one.
class TShowResultForm : public QDialog {
    Q_OBJECT

public:
    explicit TShowResultForm(QWidget* parent = nullptr, TextLocale locale = {});

    // Takes the record's figures and shows the window modally.
    void ShowResultWindow(const TResultTest& record);
    // Takes the record's figures for the next time the window is shown.
    void SetValues(const ResultWindowValues& values);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void UpdateCharts();
    QLabel* AddLabel(const char* name, const QString& text, int pixelSize, QRect geometry);
    void SetRightAligned(QLabel* label, const QString& text, int left);
    void SetFitted(QLabel* label, const QString& text, int pixelSize);

    TextLocale m_locale;
    ResultWindowValues m_values;
    QLabel* m_countTask;
    QLabel* m_countAskTask;
    QLabel* m_countCorrectTask;
    QLabel* m_result;
    QLabel* m_yourScore;
    QLabel* m_yourMark;
    PieChartBox* m_tasksChart;
    PieChartBox* m_pointsChart;
    QPushButton* m_ok;
};

} // namespace tevrix
