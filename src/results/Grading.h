// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Test.h"
#include "results/ResultTest.h"

#include <string>
#include <vector>

namespace tevrix {

// Completes the record of a finished run:
//  - TimeEnd and ResultDate become `now`;
//  - the mark: every criterion whose Percent is at most the result
//    (Score of MaxScore) sets Mark and MarkName, in list order, so the last
//    one reached wins; none reached leaves 0 and "";
//  - MarkCount is the number of criteria;
//  - when fewer tasks were done (DoneCount of TaskCount) than
//    `minAnsweredPercent`, the result is unavailable: Mark -1, MarkName
//    `unavailableMarkName` (the translated "недоступно..."), RightCount and
//    WrongCount -1, Score 0 and every ResultMask entry -2.
// A run without points or without tasks counts as 0 %.
void GradeResult(TResultTest& record, const std::vector<TMark>& marks, int32_t minAnsweredPercent,
                 double now, const std::string& unavailableMarkName);

} // namespace tevrix
