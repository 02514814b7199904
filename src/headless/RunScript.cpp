// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/RunScript.h"

#include <algorithm>

namespace tevrix {
namespace {

// Per slot: the value given for the element the slot shows.
template <typename T>
std::vector<T> PerSlot(const std::vector<int32_t>& variantOrder, const std::vector<T>& perElement,
                       T missing) {
    std::vector<T> slots;
    for (const int32_t element : variantOrder)
        slots.push_back(size_t(element) < perElement.size() ? perElement[size_t(element)]
                                                            : missing);
    return slots;
}

} // namespace

EnteredAnswer ScriptedAnswer::ToEntered(const TTask& task,
                                        const std::vector<int32_t>& variantOrder) const {
    switch (task.Kind) {
    case TaskKind::tkSingleChoice: {
        SingleChoiceAnswer answer;
        if (Choice && SlotShowing(variantOrder, *Choice) >= 0)
            answer.SelectedSlot = SlotShowing(variantOrder, *Choice);
        return answer;
    }
    case TaskKind::tkMultipleChoice: {
        MultipleChoiceAnswer answer;
        for (const int32_t element : variantOrder)
            answer.Ticked.push_back(std::find(Ticked.begin(), Ticked.end(), element) !=
                                    Ticked.end());
        return answer;
    }
    case TaskKind::tkOrdering:
    case TaskKind::tkMatching:
    case TaskKind::tkTrueFalse:
        return ChosenEntriesAnswer{
            PerSlot(variantOrder, Entries, int(ChosenEntriesAnswer::kNoEntry))};
    case TaskKind::tkNumberInput:
        return NumberFieldsAnswer{PerSlot(variantOrder, Numbers, std::string())};
    case TaskKind::tkTextInput: return TypedTextAnswer{Text};
    case TaskKind::tkPointOnImage: return PointAnswer{Point};
    case TaskKind::tkComposeWord: return ComposedWordAnswer{Text};
    default: return std::monostate{};
    }
}

} // namespace tevrix
