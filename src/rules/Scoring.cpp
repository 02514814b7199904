// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Scoring.h"

#include "base/Numbers.h"

namespace tevrix {
namespace {

bool GivesPartialCredit(const TTest& test, const TTask& task) {
    return !test.WholeAnswerOnly && task.Kind >= TaskKind::tkMultipleChoice &&
           task.Kind <= TaskKind::tkNumberInput;
}

void ScoreWrongAnswer(TResultTest& record, const TTest& test, const TTask& task,
                      const Evaluation& evaluation) {
    if (!GivesPartialCredit(test, task)) {
        if (test.PenalizeWrong)
            record.Score -= task.Points;
        return;
    }
    const int parts = evaluation.RightParts + evaluation.WrongParts;
    if (parts == 0)
        return;
    const double share = double(task.Points) / parts;
    record.Score += evaluation.RightParts * share;
    if (test.PenalizeWrong)
        record.Score -= evaluation.WrongParts * share;
}

} // namespace

void ScoreCheck(TResultTest& record, const TTest& test, const TTask& task, int taskIndex,
                const std::optional<Evaluation>& evaluation) {
    record.SetAnswer(taskIndex, evaluation ? evaluation->AnswerText : std::string());
    const int32_t penalty = record.GetPenaltyMask(taskIndex);
    if (penalty >= 0) {
        ++record.PromptCount;
        record.Score -= penalty;
    }
    record.AskedMaxScore = ClampToInt32(int64_t(record.AskedMaxScore) + task.Points);
    if (!evaluation) {
        record.SetResultMask(taskIndex, 0);
        ++record.NoAnswerCount;
    } else if (evaluation->AllRight) {
        ++record.RightCount;
        record.SetResultMask(taskIndex, task.Points);
        record.Score += task.Points;
    } else {
        ++record.WrongCount;
        record.SetResultMask(taskIndex, 0);
        ScoreWrongAnswer(record, test, task, *evaluation);
    }
}

} // namespace tevrix
