// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

// How a number field is marked when the right answer is shown.
enum class NumberSlotMark {
    Right,     // "+"
    Duplicate, // "*": its number also lies in the range of an earlier matched field
    Wrong,     // "-"
};

// One number field after the check: the number of the task whose right
// answer is shown beside it, and its mark.
struct NumberSlotVerdict {
    int AssignedNumber = 0;
    NumberSlotMark Mark = NumberSlotMark::Wrong;
};

struct NumberMatchingResult {
    bool AllRight = true;
    int RightParts = 0;
    int WrongParts = 0;
    std::vector<NumberSlotVerdict> Slots; // one per field, in display order
};

// The number a field holds: nothing for an empty (or blank) text, the value
// for a decimal number written with `decimalSeparator` (optional sign,
// digits with at most one separator, optional exponent), and 0 for any
// other text.
std::optional<double> ReadNumberField(std::string_view typed, char decimalSeparator);

// Judges the fields of a number task. Field s shows number
// `variantOrder[s]`; every entry of `variantOrder` is below the task's
// NumberCount, and `fields` may be shorter than it (missing fields are
// empty).
//
// With NumberOrderMatters field s must hold a number in the range of the
// number it shows. Otherwise every number of the task, in its own order,
// takes the first field not yet taken whose number lies in its range; each
// number that finds one is a right part, each that finds none a wrong part.
// Numbers left without a field are then assigned to the first fields left
// without a number. Finally a matched field whose range also holds the
// number of a later field (an empty text counting as 0) is marked
// duplicate together with those later fields; duplicates change only the
// marks, never the counts.
NumberMatchingResult MatchNumbers(const TTask& task, std::span<const int32_t> variantOrder,
                                  const std::vector<std::string>& fields, char decimalSeparator);

} // namespace tevrix
