// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"
#include "model/Test.h"
#include "results/ResultTest.h"
#include "rules/AnswerEvaluation.h"

#include <optional>

namespace tevrix {

// Scores the check of task `taskIndex` of `test` into the run's record;
// `evaluation` is empty when the task was closed without an answer.
//  1. its AnswerMask entry = the answer text (empty without an answer);
//  2. a viewed prompt (PenaltyMask entry 0 or more): PromptCount + 1, and
//     Score - that penalty when it is above 0;
//  3. AskedMaxScore + the task's Points (held to the int32 range);
//  4. right: RightCount + 1, ResultMask = Points, Score + Points;
//     wrong: WrongCount + 1, ResultMask = 0, then with partial credit
//     (WholeAnswerOnly off, kinds 2 to 6) Score + RightParts x share and,
//     with PenalizeWrong, - WrongParts x share, share being Points over all
//     parts (nothing when there are none); without partial credit
//     PenalizeWrong takes the Points;
//     no answer: ResultMask = 0, NoAnswerCount + 1, no penalty.
void ScoreCheck(TResultTest& record, const TTest& test, const TTask& task, int taskIndex,
                const std::optional<Evaluation>& evaluation);

} // namespace tevrix
