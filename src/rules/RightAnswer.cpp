// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/RightAnswer.h"

#include "text/Format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tevrix {
namespace {

ColorValue RightOrWrong(const AnswerColors& colors, bool right) {
    return right ? colors.Correct : colors.Error;
}

// Kinds 1 and 2: a chosen slot is drawn as an error unless its variant is right.
void DescribeChoices(const TTask& task, std::span<const int32_t> order, const EnteredAnswer& answer,
                     const AnswerColors& colors, std::vector<SlotHighlight>& slots) {
    const auto single = AnswerOfKind<SingleChoiceAnswer>(answer);
    const auto multiple = AnswerOfKind<MultipleChoiceAnswer>(answer);
    for (size_t s = 0; s < order.size(); ++s) {
        const bool chosen =
            task.Kind == TaskKind::tkSingleChoice ? single.SelectedSlot == int(s) : multiple.At(s);
        if (chosen)
            slots[s].VariantColor = colors.Error;
        if (task.IsCorrectVariant(order[s])) {
            slots[s].Mark = "+";
            slots[s].VariantColor = colors.Correct;
        } else {
            slots[s].Mark = "-";
        }
    }
}

std::optional<ColorValue> CollationColor(const AnswerColors& colors, int number) {
    if (number == 0)
        return colors.Error;
    if (number >= 1 && number <= int(colors.Collation.size()))
        return colors.Collation[number - 1];
    return std::nullopt;
}

// Kinds 3, 4 and 5: the mark shows the right value of the slot's variant.
void DescribeLists(const TTask& task, std::span<const int32_t> order, const EnteredAnswer& answer,
                   const AnswerColors& colors, std::vector<SlotHighlight>& slots) {
    const auto chosen = AnswerOfKind<ChosenEntriesAnswer>(answer);
    for (size_t s = 0; s < order.size(); ++s) {
        const int value = task.VariantValue(order[s]);
        const int entry = chosen.At(s);
        SlotHighlight& slot = slots[s];
        if (task.Kind == TaskKind::tkTrueFalse) {
            slot.Mark = value == 1 ? "+" : "-";
            slot.ListColor = RightOrWrong(colors, entry == value);
            slot.VariantColor = slot.ListColor;
            continue;
        }
        slot.Mark = std::to_string(value);
        slot.ListColor = RightOrWrong(colors, entry + 1 == value);
        if (task.Kind == TaskKind::tkOrdering) {
            slot.VariantColor = slot.ListColor;
        } else {
            slot.VariantColor = CollationColor(colors, value);
            slot.MatchColor = CollationColor(colors, int(s) + 1);
        }
    }
}

std::string RangeText(const TTask& task, int number, const TextLocale& locale) {
    const TNumberRange& range = task.NumberRange(number);
    const char separator = locale.DecimalSeparator;
    if (task.RangeIsInterval(number))
        return locale.TrFormat("Верный ответ в диапазоне от %s до %s.",
                               {FormatGeneralNumber(range.Low, separator),
                                FormatGeneralNumber(range.High, separator)});
    return locale.TrFormat("Верный ответ: %s.", {FormatGeneralNumber(range.Low, separator)});
}

std::string DescribeNumbers(const TTask& task, const Evaluation& evaluation,
                            const AnswerColors& colors, const TextLocale& locale,
                            std::vector<SlotHighlight>& slots) {
    std::string text;
    for (size_t s = 0; s < slots.size() && s < evaluation.NumberSlots.size(); ++s) {
        const NumberSlotVerdict& verdict = evaluation.NumberSlots[s];
        switch (verdict.Mark) {
        case NumberSlotMark::Right:
            slots[s].Mark = "+";
            slots[s].MarkColor = colors.Correct;
            break;
        case NumberSlotMark::Duplicate:
            slots[s].Mark = "*";
            slots[s].MarkColor = colors.Error;
            break;
        case NumberSlotMark::Wrong:
            slots[s].Mark = "-";
            slots[s].MarkColor = colors.Error;
            break;
        }
        text += RangeText(task, verdict.AssignedNumber, locale) + "\r\n";
    }
    if (!task.NumberOrderMatters)
        text += locale.Tr("Порядок не имеет значения.");
    return text;
}

} // namespace

std::string FirstTextAnswer(const TTask& task) {
    const std::vector<std::string> lines = SplitTextAnswers(task.TextAnswers);
    return lines.empty() ? std::string() : lines.front();
}

std::string FormatGeneralNumber(double value, char decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // "-d.dddddddddddddde+XX": the 15 significant digits and the exponent.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const std::string scientific = buffer;
    const size_t e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (scientific[i] >= '0' && scientific[i] <= '9')
            digits += scientific[i];
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string out = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += decimalSeparator + digits.substr(1);
        return out + "E" + std::to_string(exponent);
    }
    if (exponent < 0) {
        out += "0";
        out += decimalSeparator;
        return out + std::string(size_t(-exponent - 1), '0') + digits;
    }
    const size_t whole = size_t(exponent) + 1;
    if (digits.size() <= whole)
        return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + decimalSeparator + digits.substr(whole);
}

RightAnswerView DescribeRightAnswer(const TTask& task, std::span<const int32_t> variantOrder,
                                    const EnteredAnswer& answer, const Evaluation& evaluation,
                                    const AnswerColors& colors, const TextLocale& locale) {
    RightAnswerView view;
    std::string text;
    switch (task.Kind) {
    case TaskKind::tkSingleChoice:
    case TaskKind::tkMultipleChoice:
        view.Slots.resize(variantOrder.size());
        DescribeChoices(task, variantOrder, answer, colors, view.Slots);
        break;
    case TaskKind::tkOrdering:
    case TaskKind::tkMatching:
    case TaskKind::tkTrueFalse:
        view.Slots.resize(variantOrder.size());
        DescribeLists(task, variantOrder, answer, colors, view.Slots);
        break;
    case TaskKind::tkNumberInput:
        view.Slots.resize(variantOrder.size());
        text = DescribeNumbers(task, evaluation, colors, locale, view.Slots);
        break;
    case TaskKind::tkTextInput:
        text = locale.TrFormat("Верный ответ: \"%s\".", {FirstTextAnswer(task)});
        break;
    case TaskKind::tkPointOnImage: view.DrawAreas = true; break;
    case TaskKind::tkComposeWord: text = locale.TrFormat("Верный ответ: %s.", {task.Word}); break;
    default: break;
    }
    view.Message = locale.Tr("Неправильно...") + "\r\n" + text;
    return view;
}

} // namespace tevrix
