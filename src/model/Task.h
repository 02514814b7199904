// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"
#include "richtext/RichText.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tevrix {

// The answer form of a task. A file may hold any byte here: 0 and values
// above 9 are tasks without an answer form.
enum class TaskKind : uint8_t {
    None = 0,
    tkSingleChoice = 1,
    tkMultipleChoice = 2,
    tkOrdering = 3,
    tkMatching = 4,
    tkTrueFalse = 5,
    tkNumberInput = 6,
    tkTextInput = 7,
    tkPointOnImage = 8,
    tkComposeWord = 9,
};

// True for the kinds whose answers are the variant slots (1 to 5).
bool IsVariantKind(TaskKind kind);

struct TNumberRange {
    double Low = 0;
    double High = 0;
    friend bool operator==(const TNumberRange&, const TNumberRange&) = default;
};

struct TArea {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const TArea&, const TArea&) = default;
};

// One task of a test. Plain texts are UTF-8; rich texts keep the file's bytes.
class TTask {
public:
    static constexpr size_t kSlotCount = 10;
    static constexpr size_t kNumberSlotCount = 5;

    TaskKind Kind = TaskKind::None;
    RichText Question;
    std::string PictureFile;
    std::string MediaFile;
    RichText Introduction;
    RichText Prompt;
    int32_t PromptPenalty = 0;
    RichText Explanation;
    int32_t Points = 1;
    int32_t TimeLimit = 0;
    int32_t ThemeKey = 0;
    std::array<RichText, kSlotCount> Variants{};
    std::array<RichText, kSlotCount> Matches{};
    std::array<int32_t, kSlotCount> VariantValues{};
    std::array<TNumberRange, kNumberSlotCount> NumberRanges{};
    std::array<std::string, kNumberSlotCount> NumberLabels{};
    uint8_t NumberCount = 1;
    bool NumberOrderMatters = true;
    std::string TextAnswers;
    bool TextCaseSensitive = false;
    bool TextIsRegExp = false;
    std::vector<TArea> Areas;
    std::string Word;

    // Reads one task record; throws FormatError on damaged or truncated data.
    void LoadFromStream(InputStream& input);
    // Writes the task record exactly as LoadFromStream reads it (every list of
    // a kind 1 to 5 task with all ten slots).
    void SaveToStream(OutputStream& output) const;
    // Copies another task through its record, so the copy is exactly what
    // the record carries; fields the record does not carry keep their values.
    void Assign(const TTask& source);

    int VariantCount() const;
    int MatchCount() const;
    const RichText& VariantText(int i) const { return Variants[i]; }
    const RichText& MatchText(int i) const { return Matches[i]; }
    int32_t VariantValue(int i) const { return VariantValues[i]; }
    bool IsCorrectVariant(int i) const { return VariantValues[i] >= 1; }
    const TNumberRange& NumberRange(int i) const { return NumberRanges[i]; }
    bool RangeIsInterval(int i) const { return NumberRanges[i].Low != NumberRanges[i].High; }
    const std::string& NumberLabel(int i) const { return NumberLabels[i]; }
    int AreaCount() const { return static_cast<int>(Areas.size()); }
    const TArea& GetArea(int i) const { return Areas[i]; }

    friend bool operator==(const TTask&, const TTask&) = default;
};

using TTaskList = std::vector<TTask>;

} // namespace tevrix
