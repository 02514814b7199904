// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Grading.h"

#include "results/ResultFigures.h"

#include <algorithm>

namespace tevrix {
namespace {

void ApplyMark(TResultTest& record, const std::vector<TMark>& marks) {
    const double result = Percent(record.Score, record.MaxScore);
    for (const TMark& mark : marks) {
        if (mark.Percent <= result) {
            record.Mark = mark.Value;
            record.MarkName = mark.Name;
        }
    }
}

void MakeUnavailable(TResultTest& record, const std::string& unavailableMarkName) {
    record.Mark = -1;
    record.MarkName = unavailableMarkName;
    record.RightCount = -1;
    record.WrongCount = -1;
    record.Score = 0;
    std::fill(record.ResultMask.begin(), record.ResultMask.end(), TResultTest::kUnavailable);
}

} // namespace

void GradeResult(TResultTest& record, const std::vector<TMark>& marks, int32_t minAnsweredPercent,
                 double now, const std::string& unavailableMarkName) {
    record.TimeEnd = now;
    record.ResultDate = now;
    ApplyMark(record, marks);
    record.MarkCount = static_cast<int32_t>(marks.size());
    if (minAnsweredPercent > Percent(record.DoneCount, record.TaskCount))
        MakeUnavailable(record, unavailableMarkName);
}

} // namespace tevrix
