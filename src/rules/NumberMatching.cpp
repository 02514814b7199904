// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/NumberMatching.h"

#include "text/Strings.h"

#include <charconv>

namespace tevrix {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Copies a run of digits to `out`; returns how many there were.
size_t CopyDigits(std::string_view text, size_t& pos, std::string& out) {
    const size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        out += text[pos++];
    return pos - start;
}

// A decimal number in the station's written form, or nothing.
std::optional<double> ParseDecimal(std::string_view text, char decimalSeparator) {
    std::string plain; // the same number with '.' as separator, for from_chars
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        if (text[pos] == '-')
            plain += '-';
        ++pos;
    }
    size_t digits = CopyDigits(text, pos, plain);
    if (pos < text.size() && text[pos] == decimalSeparator) {
        plain += '.';
        ++pos;
        digits += CopyDigits(text, pos, plain);
    }
    if (digits == 0)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        plain += 'e';
        ++pos;
        if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
            plain += text[pos++];
        if (CopyDigits(text, pos, plain) == 0)
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

bool InRange(const TTask& task, int number, double value) {
    const TNumberRange& range = task.NumberRange(number);
    return range.Low <= value && value <= range.High;
}

class NumberMatcher {
public:
    NumberMatcher(const TTask& task, std::span<const int32_t> variantOrder,
                  const std::vector<std::string>& fields, char decimalSeparator)
        : m_task(task), m_order(variantOrder) {
        for (size_t s = 0; s < m_order.size(); ++s)
            m_values.push_back(
                ReadNumberField(s < fields.size() ? fields[s] : "", decimalSeparator));
        m_result.Slots.resize(m_order.size());
    }

    NumberMatchingResult InOrder() {
        for (size_t s = 0; s < m_order.size(); ++s) {
            NumberSlotVerdict& slot = m_result.Slots[s];
            slot.AssignedNumber = m_order[s];
            const bool right = m_values[s] && InRange(m_task, slot.AssignedNumber, *m_values[s]);
            slot.Mark = right ? NumberSlotMark::Right : NumberSlotMark::Wrong;
            Count(right);
        }
        return m_result;
    }

    NumberMatchingResult AnyOrder() {
        std::vector<int> matched(m_order.size(), -1);
        MatchEachNumber(matched);
        AssignUnmatched(matched);
        MarkSlots(matched);
        return m_result;
    }

private:
    void Count(bool right) {
        if (right) {
            ++m_result.RightParts;
        } else {
            ++m_result.WrongParts;
            m_result.AllRight = false;
        }
    }

    void MatchEachNumber(std::vector<int>& matched) {
        for (size_t f = 0; f < m_order.size(); ++f) {
            bool found = false;
            for (size_t s = 0; s < m_order.size() && !found; ++s) {
                if (matched[s] < 0 && m_values[s] && InRange(m_task, int(f), *m_values[s])) {
                    matched[s] = int(f);
                    found = true;
                }
            }
            Count(found);
        }
    }

    void AssignUnmatched(const std::vector<int>& matched) {
        std::vector<bool> taken(m_order.size(), false);
        for (size_t s = 0; s < m_order.size(); ++s) {
            m_result.Slots[s].AssignedNumber = matched[s];
            if (matched[s] >= 0)
                taken[matched[s]] = true;
        }
        for (size_t f = 0; f < m_order.size(); ++f) {
            if (taken[f])
                continue;
            for (NumberSlotVerdict& slot : m_result.Slots) {
                if (slot.AssignedNumber < 0) {
                    slot.AssignedNumber = int(f);
                    break;
                }
            }
        }
    }

    void MarkSlots(const std::vector<int>& matched) {
        std::vector<bool> duplicate(m_order.size(), false);
        for (size_t s = 0; s + 1 < m_order.size(); ++s) {
            if (matched[s] < 0)
                continue;
            for (size_t t = s + 1; t < m_order.size(); ++t) {
                if (InRange(m_task, matched[s], m_values[t].value_or(0))) {
                    duplicate[t] = true;
                    duplicate[s] = true;
                }
            }
        }
        for (size_t s = 0; s < m_order.size(); ++s) {
            NumberSlotMark& mark = m_result.Slots[s].Mark;
            if (duplicate[s])
                mark = NumberSlotMark::Duplicate;
            else
                mark = matched[s] >= 0 ? NumberSlotMark::Right : NumberSlotMark::Wrong;
        }
    }

    const TTask& m_task;
    std::span<const int32_t> m_order;
    std::vector<std::optional<double>> m_values;
    NumberMatchingResult m_result;
};

} // namespace

std::optional<double> ReadNumberField(std::string_view typed, char decimalSeparator) {
    const std::string text = Trim(typed);
    if (text.empty())
        return std::nullopt;
    return ParseDecimal(text, decimalSeparator).value_or(0.0);
}

NumberMatchingResult MatchNumbers(const TTask& task, std::span<const int32_t> variantOrder,
                                  const std::vector<std::string>& fields, char decimalSeparator) {
    NumberMatcher matcher(task, variantOrder, fields, decimalSeparator);
    return task.NumberOrderMatters ? matcher.InOrder() : matcher.AnyOrder();
}

} // namespace tevrix
