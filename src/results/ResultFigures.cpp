// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultFigures.h"

#include "text/DateTime.h"

namespace tevrix {

double Percent(double part, double whole) {
    return whole == 0 ? 0.0 : part * 100.0 / whole;
}

ResultFigures ResultFigures::Of(const TResultTest& record) {
    ResultFigures figures;
    figures.ShareRight = Percent(record.RightCount, record.DoneCount);
    figures.ShareWrong = Percent(record.WrongCount, record.DoneCount);
    figures.ShareNoAnswer = Percent(record.NoAnswerCount, record.TaskCount);
    figures.Effectiveness = Percent(record.RightCount, record.TaskCount);
    figures.Result = Percent(record.Score, record.MaxScore);
    figures.MarkText = record.MarkName.empty() ? std::to_string(record.Mark) : record.MarkName;
    figures.TimeBeginText = FormatDateTime("hh:nn:ss", record.TimeBegin);
    figures.TimeEndText = FormatDateTime("hh:nn:ss", record.TimeEnd);
    figures.DurationText = FormatSecondsAsTime(record.Duration);
    return figures;
}

} // namespace tevrix
