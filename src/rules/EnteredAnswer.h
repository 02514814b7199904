// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tevrix {

// What the pupil has entered in the answer area, one plain value per task
// kind, read by the window when a task is checked. Slots are display rows:
// slot s shows the element given by entry s of the run's VariantOrder.
// Entries missing at the end of a per-slot list count as nothing entered.

// Kind 1: the slot whose round button is selected, if any.
struct SingleChoiceAnswer {
    std::optional<int> SelectedSlot;
};

// Kind 2: per slot, whether its tick box is ticked.
struct MultipleChoiceAnswer {
    std::vector<bool> Ticked;
    bool At(size_t slot) const { return slot < Ticked.size() && Ticked[slot]; }
};

// Kinds 3, 4 and 5: per slot, the entry chosen in its drop-down list, or
// kNoEntry. Ordering: 0 .. n-1 for "1" .. "n"; matching: 0 .. m-1; true or
// false: 0 the blank entry, 1 "Да", 2 "Нет".
struct ChosenEntriesAnswer {
    static constexpr int kNoEntry = -1;
    std::vector<int> Chosen;
    int At(size_t slot) const { return slot < Chosen.size() ? Chosen[slot] : kNoEntry; }
};

// Kind 6: per number field, its text as typed.
struct NumberFieldsAnswer {
    std::vector<std::string> Fields;
    std::string At(size_t slot) const {
        return slot < Fields.size() ? Fields[slot] : std::string();
    }
};

// Kind 7: the text as typed, not trimmed.
struct TypedTextAnswer {
    std::string Text;
};

// Kind 8: the centre of the point marker in picture pixels, when the pupil
// has placed it in this task.
struct PointAnswer {
    struct Point {
        int X = 0;
        int Y = 0;
    };
    std::optional<Point> Placed;
};

// Kind 9: the word as composed in the word panel.
struct ComposedWordAnswer {
    std::string Word;
};

using EnteredAnswer =
    std::variant<std::monostate, SingleChoiceAnswer, MultipleChoiceAnswer, ChosenEntriesAnswer,
                 NumberFieldsAnswer, TypedTextAnswer, PointAnswer, ComposedWordAnswer>;

// The answer of kind `Answer`; nothing entered when `answer` is of another kind.
template <typename Answer> Answer AnswerOfKind(const EnteredAnswer& answer) {
    const Answer* typed = std::get_if<Answer>(&answer);
    return typed ? *typed : Answer{};
}

// The slot that shows element `element` (a variant or number), or -1.
inline int SlotShowing(std::span<const int32_t> variantOrder, int element) {
    const auto found = std::find(variantOrder.begin(), variantOrder.end(), element);
    return found == variantOrder.end() ? -1 : int(found - variantOrder.begin());
}

} // namespace tevrix
