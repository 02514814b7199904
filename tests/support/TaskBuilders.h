// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace tevrix::testing {

// A task of kinds 1 to 5 with one variant per value ("A", "B", ...).
inline TTask VariantTask(TaskKind kind, std::initializer_list<int> values, int points = 1) {
    TTask task;
    task.Kind = kind;
    task.Points = points;
    int i = 0;
    for (const int value : values) {
        task.Variants[i].Bytes = std::string(1, char('A' + i));
        task.VariantValues[i] = value;
        ++i;
    }
    return task;
}

inline TTask MatchingTask(std::initializer_list<int> values, int matchCount) {
    TTask task = VariantTask(TaskKind::tkMatching, values);
    for (int r = 0; r < matchCount; ++r)
        task.Matches[r].Bytes = std::string(1, char('a' + r));
    return task;
}

inline TTask NumberTask(std::vector<std::pair<double, double>> ranges, bool orderMatters,
                        std::vector<std::string> labels = {}) {
    TTask task;
    task.Kind = TaskKind::tkNumberInput;
    task.NumberCount = uint8_t(ranges.size());
    task.NumberOrderMatters = orderMatters;
    for (size_t i = 0; i < ranges.size(); ++i) {
        task.NumberRanges[i] = {ranges[i].first, ranges[i].second};
        if (i < labels.size())
            task.NumberLabels[i] = labels[i];
    }
    return task;
}

inline TTask TextTask(std::string answers, bool caseSensitive = false, bool regExp = false) {
    TTask task;
    task.Kind = TaskKind::tkTextInput;
    task.TextAnswers = std::move(answers);
    task.TextCaseSensitive = caseSensitive;
    task.TextIsRegExp = regExp;
    return task;
}

inline TTask PointTask(std::vector<TArea> areas) {
    TTask task;
    task.Kind = TaskKind::tkPointOnImage;
    task.Areas = std::move(areas);
    return task;
}

inline TTask WordTask(std::string word) {
    TTask task;
    task.Kind = TaskKind::tkComposeWord;
    task.Word = std::move(word);
    return task;
}

} // namespace tevrix::testing
