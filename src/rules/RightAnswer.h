// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"
#include "rules/AnswerEvaluation.h"
#include "rules/EnteredAnswer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tevrix {

// A colour as the settings hold it: 0x00BBGGRR.
using ColorValue = uint32_t;

// The colours that show a right answer: the settings ColorCorrect,
// ColorError and ColorCollation1 .. ColorCollation10.
struct AnswerColors {
    ColorValue Correct = 0;
    ColorValue Error = 0;
    std::array<ColorValue, 10> Collation{};
};

// What one slot of the answer area shows while the right answer is shown.
// A colour left empty keeps the control's normal background.
struct SlotHighlight {
    std::string Mark;                       // the mark label's text; empty clears it
    std::optional<ColorValue> MarkColor;    // kind 6: background of the field's mark
    std::optional<ColorValue> VariantColor; // the variant text of the slot
    std::optional<ColorValue> ListColor;    // the slot's drop-down list
    std::optional<ColorValue> MatchColor;   // kind 4: the right-hand item of the row
};

// The right answer for the window to render after a wrong answer (or a task
// closed without one).
struct RightAnswerView {
    std::vector<SlotHighlight> Slots; // one per slot of VariantOrder (kinds 1 to 6)
    bool DrawAreas = false;           // kind 8: draw every area of the task on the picture
    // "Неправильно..." CR LF and the kind's text (numbers, text, word).
    std::string Message;
};

// Describes the right answer of `task` for the slots of `variantOrder`, the
// entered `answer` and its `evaluation` (kind 6 takes its fields' marks and
// assigned numbers from it). Texts are translated and numbers written in
// the shortest general form with the decimal separator of `locale`.
RightAnswerView DescribeRightAnswer(const TTask& task, std::span<const int32_t> variantOrder,
                                    const EnteredAnswer& answer, const Evaluation& evaluation,
                                    const AnswerColors& colors, const TextLocale& locale);

// A number in the shortest general decimal form with up to 15 significant
// digits: fixed notation from 0.00001 up to 15 digits before the
// separator, otherwise "1.5E20" / "1E-6".
std::string FormatGeneralNumber(double value, char decimalSeparator);

// The first accepted answer of a text task, as the right answer quotes it;
// empty when the task has none.
std::string FirstTextAnswer(const TTask& task);

} // namespace tevrix
