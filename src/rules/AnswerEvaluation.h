// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"
#include "rules/EnteredAnswer.h"
#include "rules/NumberMatching.h"
#include "text/TextLocale.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tevrix {

// The verdict on one entered answer.
struct Evaluation {
    bool AllRight = true;
    int RightParts = 0; // kinds 2 to 6 only
    int WrongParts = 0;
    // The answer as the result record keeps it.
    std::string AnswerText;
    // Kind 6: per field, the number whose right answer it shows and its mark.
    std::vector<NumberSlotVerdict> NumberSlots;
};

// Judges `answer` against `task`. Slot s shows the element (variant or
// number) `variantOrder[s]`; for kinds 1 to 6 the order holds one entry per
// slot, each below the task's VariantCount or NumberCount. An answer of
// another kind than the task's counts as nothing entered. Kinds 0 and above
// 9 are not judged: right, with an empty answer text. `locale` gives the
// decimal separator of the number fields. The answer text is the record's
// and is never translated (true or false: "1-Да;2-;3-Нет;").
//
// A point task checked before the pupil placed a point is not right and
// records no answer text. An empty line among a text task's answers accepts
// nothing (as a regular expression it would accept every answer); a line
// that is not a valid regular expression matches nothing.
Evaluation EvaluateAnswer(const TTask& task, std::span<const int32_t> variantOrder,
                          const EnteredAnswer& answer, const TextLocale& locale);

// The accepted answers of a text task, split at CR LF, CR or LF; a line
// break at the very end makes no extra line.
std::vector<std::string> SplitTextAnswers(const std::string& textAnswers);

} // namespace tevrix
