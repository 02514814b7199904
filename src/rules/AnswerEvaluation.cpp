// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/AnswerEvaluation.h"

#include "text/RegExp.h"
#include "text/Strings.h"

#include <algorithm>

namespace tevrix {
namespace {

// Counts one judged part of an answer.
void CountPart(Evaluation& evaluation, bool right) {
    if (right) {
        ++evaluation.RightParts;
    } else {
        ++evaluation.WrongParts;
        evaluation.AllRight = false;
    }
}

Evaluation EvaluateSingleChoice(const TTask& task, std::span<const int32_t> order,
                                const SingleChoiceAnswer& answer) {
    Evaluation evaluation;
    for (size_t s = 0; s < order.size(); ++s) {
        const bool selected = answer.SelectedSlot == int(s);
        if (selected != task.IsCorrectVariant(order[s]))
            evaluation.AllRight = false;
        if (selected)
            evaluation.AnswerText = std::to_string(order[s] + 1);
    }
    return evaluation;
}

Evaluation EvaluateMultipleChoice(const TTask& task, std::span<const int32_t> order,
                                  const MultipleChoiceAnswer& answer) {
    Evaluation evaluation;
    for (size_t s = 0; s < order.size(); ++s) {
        const bool ticked = answer.At(s);
        CountPart(evaluation, ticked == task.IsCorrectVariant(order[s]));
        if (ticked)
            evaluation.AnswerText += std::to_string(order[s] + 1) + ";";
    }
    return evaluation;
}

// Kinds 3 and 4: the chosen entry + 1 must be the variant's value.
Evaluation EvaluatePositions(const TTask& task, std::span<const int32_t> order,
                             const ChosenEntriesAnswer& answer) {
    Evaluation evaluation;
    for (size_t s = 0; s < order.size(); ++s) {
        const int entry = answer.At(s);
        CountPart(evaluation, entry + 1 == task.VariantValue(order[s]));
    }
    for (size_t v = 0; v < order.size(); ++v) {
        const int slot = SlotShowing(order, int(v));
        const int entry = slot < 0 ? ChosenEntriesAnswer::kNoEntry : answer.At(size_t(slot));
        evaluation.AnswerText += std::to_string(v + 1) + "-" + std::to_string(entry + 1) + ";";
    }
    return evaluation;
}

constexpr int kTrueEntry = 1;
constexpr int kFalseEntry = 2;

Evaluation EvaluateTrueFalse(const TTask& task, std::span<const int32_t> order,
                             const ChosenEntriesAnswer& answer) {
    Evaluation evaluation;
    for (size_t s = 0; s < order.size(); ++s) {
        const int entry = answer.At(s);
        const bool right = entry == task.VariantValue(order[s]);
        if (entry == kTrueEntry || entry == kFalseEntry)
            CountPart(evaluation, right);
        else if (!right)
            evaluation.AllRight = false;
    }
    // The record is data that teachers' tools read: its words stay Russian
    // whatever language the interface speaks.
    for (size_t v = 0; v < order.size(); ++v) {
        const int slot = SlotShowing(order, int(v));
        const int entry = slot < 0 ? ChosenEntriesAnswer::kNoEntry : answer.At(size_t(slot));
        const char* word = entry == kTrueEntry ? "Да" : entry == kFalseEntry ? "Нет" : "";
        evaluation.AnswerText += std::to_string(v + 1) + "-" + word + ";";
    }
    return evaluation;
}

Evaluation EvaluateNumbers(const TTask& task, std::span<const int32_t> order,
                           const NumberFieldsAnswer& answer, char decimalSeparator) {
    NumberMatchingResult matching = MatchNumbers(task, order, answer.Fields, decimalSeparator);
    Evaluation evaluation;
    evaluation.AllRight = matching.AllRight;
    evaluation.RightParts = matching.RightParts;
    evaluation.WrongParts = matching.WrongParts;
    evaluation.NumberSlots = std::move(matching.Slots);
    for (size_t s = 0; s < order.size(); ++s) {
        const std::string& label = task.NumberLabel(order[s]);
        if (!label.empty())
            evaluation.AnswerText += label + " ";
        evaluation.AnswerText += Trim(answer.At(s)) + ";";
    }
    return evaluation;
}

bool TextLineAccepts(const TTask& task, const std::string& line, const std::string& typed) {
    if (line.empty())
        return false;
    if (task.TextIsRegExp)
        return RegExp(line).Search(typed);
    if (task.TextCaseSensitive)
        return line == typed;
    return UpperCase(line) == UpperCase(typed);
}

Evaluation EvaluateText(const TTask& task, const TypedTextAnswer& answer) {
    Evaluation evaluation;
    evaluation.AnswerText = answer.Text;
    const std::string typed = Trim(answer.Text);
    const std::vector<std::string> lines = SplitTextAnswers(task.TextAnswers);
    evaluation.AllRight = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return TextLineAccepts(task, line, typed);
    });
    return evaluation;
}

Evaluation EvaluatePoint(const TTask& task, const PointAnswer& answer) {
    Evaluation evaluation;
    evaluation.AllRight = false;
    if (!answer.Placed)
        return evaluation;
    const int x = answer.Placed->X;
    const int y = answer.Placed->Y;
    evaluation.AnswerText = "x=" + std::to_string(x) + "; y=" + std::to_string(y);
    evaluation.AllRight = std::any_of(task.Areas.begin(), task.Areas.end(), [&](const TArea& area) {
        return area.Left < x && x < area.Right && area.Top < y && y < area.Bottom;
    });
    return evaluation;
}

Evaluation EvaluateWord(const TTask& task, const ComposedWordAnswer& answer) {
    Evaluation evaluation;
    evaluation.AllRight = answer.Word == task.Word;
    evaluation.AnswerText = answer.Word;
    return evaluation;
}

} // namespace

std::vector<std::string> SplitTextAnswers(const std::string& textAnswers) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < textAnswers.size()) {
        const size_t end = textAnswers.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(textAnswers.substr(start));
            break;
        }
        lines.push_back(textAnswers.substr(start, end - start));
        start = end + 1;
        if (textAnswers[end] == '\r' && start < textAnswers.size() && textAnswers[start] == '\n')
            ++start;
    }
    return lines;
}

Evaluation EvaluateAnswer(const TTask& task, std::span<const int32_t> variantOrder,
                          const EnteredAnswer& answer, const TextLocale& locale) {
    switch (task.Kind) {
    case TaskKind::tkSingleChoice:
        return EvaluateSingleChoice(task, variantOrder, AnswerOfKind<SingleChoiceAnswer>(answer));
    case TaskKind::tkMultipleChoice:
        return EvaluateMultipleChoice(task, variantOrder,
                                      AnswerOfKind<MultipleChoiceAnswer>(answer));
    case TaskKind::tkOrdering:
    case TaskKind::tkMatching:
        return EvaluatePositions(task, variantOrder, AnswerOfKind<ChosenEntriesAnswer>(answer));
    case TaskKind::tkTrueFalse:
        return EvaluateTrueFalse(task, variantOrder, AnswerOfKind<ChosenEntriesAnswer>(answer));
    case TaskKind::tkNumberInput:
        return EvaluateNumbers(task, variantOrder, AnswerOfKind<NumberFieldsAnswer>(answer),
                               locale.DecimalSeparator);
    case TaskKind::tkTextInput: return EvaluateText(task, AnswerOfKind<TypedTextAnswer>(answer));
    case TaskKind::tkPointOnImage: return EvaluatePoint(task, AnswerOfKind<PointAnswer>(answer));
    case TaskKind::tkComposeWord:
        return EvaluateWord(task, AnswerOfKind<ComposedWordAnswer>(answer));
    default: return Evaluation{};
    }
}

} // namespace tevrix
