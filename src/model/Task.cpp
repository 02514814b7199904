// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Task.h"

#include "io/BinaryReader.h"
#include "io/BinaryWriter.h"
#include "model/TestFileFormat.h"
#include "text/Cp1251.h"

namespace tevrix {
namespace {

// A count of a kind 1 to 5 list: negative gives no entries, above ten fails.
int32_t ReadSlotCount(BinaryReader& reader) {
    const int32_t count = reader.ReadInt32();
    if (count > tvf::kMaxSlots)
        throw FormatError("too many list entries");
    return count < 0 ? 0 : count;
}

void WriteRichSlots(BinaryWriter& writer, const std::array<RichText, TTask::kSlotCount>& slots) {
    writer.WriteInt32(tvf::kMaxSlots);
    for (const RichText& slot : slots)
        writer.WriteText(slot.Bytes);
}

} // namespace

bool IsVariantKind(TaskKind kind) {
    return kind >= TaskKind::tkSingleChoice && kind <= TaskKind::tkTrueFalse;
}

void TTask::LoadFromStream(InputStream& input) {
    BinaryReader reader(input);
    Kind = static_cast<TaskKind>(reader.ReadByte());
    Question.Bytes = reader.ReadText();
    PictureFile = Cp1251ToUtf8(reader.ReadText());
    MediaFile = Cp1251ToUtf8(reader.ReadText());
    Points = reader.ReadInt32();
    TimeLimit = reader.ReadInt32();
    Introduction.Bytes = reader.ReadText();
    Prompt.Bytes = reader.ReadText();
    PromptPenalty = reader.ReadInt32();
    Explanation.Bytes = reader.ReadText();
    ThemeKey = reader.ReadInt32();

    switch (Kind) {
    case TaskKind::tkSingleChoice:
    case TaskKind::tkMultipleChoice:
    case TaskKind::tkOrdering:
    case TaskKind::tkMatching:
    case TaskKind::tkTrueFalse: {
        const int32_t variants = ReadSlotCount(reader);
        for (int32_t i = 0; i < variants; ++i)
            Variants[i].Bytes = reader.ReadText();
        const int32_t values = ReadSlotCount(reader);
        for (int32_t i = 0; i < values; ++i)
            VariantValues[i] = reader.ReadInt32();
        if (Kind == TaskKind::tkMatching) {
            const int32_t matches = ReadSlotCount(reader);
            for (int32_t i = 0; i < matches; ++i)
                Matches[i].Bytes = reader.ReadText();
        }
        break;
    }
    case TaskKind::tkNumberInput: {
        const uint8_t count = reader.ReadByte();
        if (count > tvf::kMaxNumbers)
            throw FormatError("too many numbers");
        NumberCount = count;
        for (uint8_t i = 0; i < count; ++i) {
            NumberRanges[i].Low = reader.ReadDouble();
            NumberRanges[i].High = reader.ReadDouble();
            NumberLabels[i] = Cp1251ToUtf8(reader.ReadText());
        }
        NumberOrderMatters = reader.ReadBool();
        break;
    }
    case TaskKind::tkTextInput:
        TextAnswers = Cp1251ToUtf8(reader.ReadText());
        TextCaseSensitive = reader.ReadBool();
        TextIsRegExp = reader.ReadBool();
        break;
    case TaskKind::tkPointOnImage: {
        const int32_t count = reader.ReadInt32();
        if (count < 0 || count > tvf::kMaxAreas)
            throw FormatError("bad area count");
        Areas.clear();
        for (int32_t i = 0; i < count; ++i) {
            TArea area;
            area.Left = reader.ReadInt32();
            area.Top = reader.ReadInt32();
            area.Right = reader.ReadInt32();
            area.Bottom = reader.ReadInt32();
            Areas.push_back(area);
        }
        break;
    }
    case TaskKind::tkComposeWord: Word = Cp1251ToUtf8(reader.ReadText()); break;
    default: break; // no kind-specific block
    }
    reader.ReadInt32(); // reserved
    reader.ReadByte();  // reserved
}

void TTask::SaveToStream(OutputStream& output) const {
    BinaryWriter writer(output);
    writer.WriteByte(static_cast<uint8_t>(Kind));
    writer.WriteText(Question.Bytes);
    writer.WriteText(Utf8ToCp1251(PictureFile));
    writer.WriteText(Utf8ToCp1251(MediaFile));
    writer.WriteInt32(Points);
    writer.WriteInt32(TimeLimit);
    writer.WriteText(Introduction.Bytes);
    writer.WriteText(Prompt.Bytes);
    writer.WriteInt32(PromptPenalty);
    writer.WriteText(Explanation.Bytes);
    writer.WriteInt32(ThemeKey);

    if (IsVariantKind(Kind)) {
        WriteRichSlots(writer, Variants);
        writer.WriteInt32(tvf::kMaxSlots);
        for (const int32_t value : VariantValues)
            writer.WriteInt32(value);
        if (Kind == TaskKind::tkMatching)
            WriteRichSlots(writer, Matches);
    } else if (Kind == TaskKind::tkNumberInput) {
        const uint8_t count = NumberCount > tvf::kMaxNumbers ? tvf::kMaxNumbers : NumberCount;
        writer.WriteByte(count);
        for (uint8_t i = 0; i < count; ++i) {
            writer.WriteDouble(NumberRanges[i].Low);
            writer.WriteDouble(NumberRanges[i].High);
            writer.WriteText(Utf8ToCp1251(NumberLabels[i]));
        }
        writer.WriteBool(NumberOrderMatters);
    } else if (Kind == TaskKind::tkTextInput) {
        writer.WriteText(Utf8ToCp1251(TextAnswers));
        writer.WriteBool(TextCaseSensitive);
        writer.WriteBool(TextIsRegExp);
    } else if (Kind == TaskKind::tkPointOnImage) {
        writer.WriteInt32(static_cast<int32_t>(Areas.size()));
        for (const TArea& area : Areas) {
            writer.WriteInt32(area.Left);
            writer.WriteInt32(area.Top);
            writer.WriteInt32(area.Right);
            writer.WriteInt32(area.Bottom);
        }
    } else if (Kind == TaskKind::tkComposeWord) {
        writer.WriteText(Utf8ToCp1251(Word));
    }
    writer.WriteInt32(0);
    writer.WriteByte(0);
}

void TTask::Assign(const TTask& source) {
    if (&source == this)
        return;
    MemoryOutputStream record;
    source.SaveToStream(record);
    MemoryInputStream input(record.Bytes());
    LoadFromStream(input);
}

namespace {
template <size_t N> int CountSlots(const std::array<RichText, N>& slots) {
    for (int i = static_cast<int>(N) - 1; i >= 0; --i)
        if (!slots[i].Empty())
            return i + 1;
    return 0;
}
} // namespace

int TTask::VariantCount() const {
    return CountSlots(Variants);
}

int TTask::MatchCount() const {
    return CountSlots(Matches);
}

} // namespace tevrix
