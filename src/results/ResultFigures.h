// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultTest.h"

#include <string>

namespace tevrix {

// part x 100 / whole in floating point; 0 when `whole` is 0, so a run without
// tasks, without points or without a task done shows 0 % instead of failing.
double Percent(double part, double whole);

// The figures every output derives from a finished record, computed in this
// one place.
struct ResultFigures {
    double ShareRight = 0;    // RightCount of DoneCount
    double ShareWrong = 0;    // WrongCount of DoneCount
    double ShareNoAnswer = 0; // NoAnswerCount of TaskCount
    double Effectiveness = 0; // RightCount of TaskCount
    double Result = 0;        // Score of MaxScore
    std::string MarkText;     // MarkName, or Mark in decimal when it is empty
    std::string TimeBeginText;
    std::string TimeEndText;
    std::string DurationText; // Duration seconds as "hh:nn:ss"

    static ResultFigures Of(const TResultTest& record);
};

} // namespace tevrix
