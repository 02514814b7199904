// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultTest.h"

#include "io/BinaryReader.h"
#include "io/BinaryWriter.h"
#include "model/TestFileFormat.h"
#include "text/Cp1251.h"

#include <string_view>

namespace tevrix {
namespace {

// Masks have one entry per task of a test, so no intact record holds more
// entries than a test file can hold tasks.
constexpr int32_t kMaxMaskLength = tvf::kMaxTasks;

// A record's lengths and counts are never negative; one that is tells of
// damage, so it is refused rather than read as empty.
int32_t ReadLength(BinaryReader& reader) {
    const int32_t length = reader.ReadInt32();
    if (length < 0)
        throw FormatError("negative length in a result record");
    return length;
}

std::string ReadText(BinaryReader& reader) {
    const int32_t length = ReadLength(reader);
    if (static_cast<size_t>(length) > BinaryReader::kMaxTextLength)
        throw FormatError("text too long in a result record");
    return Cp1251ToUtf8(reader.ReadBytes(static_cast<size_t>(length)));
}

int32_t ReadMaskLength(BinaryReader& reader) {
    const int32_t count = ReadLength(reader);
    if (count > kMaxMaskLength)
        throw FormatError("mask longer than any test in a result record");
    return count;
}

std::vector<int32_t> ReadIntegerMask(BinaryReader& reader) {
    const int32_t count = ReadMaskLength(reader);
    std::vector<int32_t> mask;
    mask.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        mask.push_back(reader.ReadInt32());
    return mask;
}

std::vector<std::string> ReadTextMask(BinaryReader& reader) {
    const int32_t count = ReadMaskLength(reader);
    std::vector<std::string> mask;
    mask.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        mask.push_back(ReadText(reader));
    return mask;
}

void WriteText(BinaryWriter& writer, const std::string& text) {
    writer.WriteText(Utf8ToCp1251(text));
}

void WriteIntegerMask(BinaryWriter& writer, const std::vector<int32_t>& mask) {
    writer.WriteInt32(static_cast<int32_t>(mask.size()));
    for (const int32_t value : mask)
        writer.WriteInt32(value);
}

void WriteTextMask(BinaryWriter& writer, const std::vector<std::string>& mask) {
    writer.WriteInt32(static_cast<int32_t>(mask.size()));
    for (const std::string& text : mask)
        WriteText(writer, text);
}

template <typename T> bool InMask(const std::vector<T>& mask, int index) {
    return index >= 0 && static_cast<size_t>(index) < mask.size();
}

int32_t Get(const std::vector<int32_t>& mask, int index, int32_t initial) {
    return InMask(mask, index) ? mask[static_cast<size_t>(index)] : initial;
}

template <typename T> void Set(std::vector<T>& mask, int index, T value) {
    if (InMask(mask, index))
        mask[static_cast<size_t>(index)] = std::move(value);
}

// "1) a 2) b " from the symbols of the entries.
template <typename T, typename Symbol>
std::string MaskText(const std::vector<T>& mask, Symbol symbol) {
    std::string text;
    for (size_t i = 0; i < mask.size(); ++i) {
        text += std::to_string(i + 1);
        text += ") ";
        text += symbol(mask[i]);
        text += ' ';
    }
    return text;
}

std::string ResultSymbol(int32_t value) {
    if (value == TResultTest::kNotChecked)
        return "*";
    if (value == 0)
        return "-";
    if (value >= 1 && value <= 100)
        return "+";
    return "?";
}

std::string CountSymbol(int32_t value) {
    return value < 0 ? "*" : std::to_string(value);
}

} // namespace

TResultTest TResultTest::Create(int taskCount) {
    const size_t count = taskCount > 0 ? static_cast<size_t>(taskCount) : 0;
    TResultTest record;
    record.ResultMask.assign(count, kNotChecked);
    record.TimeMask.assign(count, kNeverShown);
    record.AnswerMask.assign(count, std::string());
    record.PenaltyMask.assign(count, kPromptNotViewed);
    return record;
}

void TResultTest::Assign(const TResultTest& source) {
    MemoryOutputStream stream;
    source.SaveToStream(stream);
    MemoryInputStream input(stream.Bytes());
    LoadFromStream(input);
}

int32_t TResultTest::GetResultMask(int index) const {
    return Get(ResultMask, index, kNotChecked);
}

int32_t TResultTest::GetTimeMask(int index) const {
    return Get(TimeMask, index, kNeverShown);
}

int32_t TResultTest::GetPenaltyMask(int index) const {
    return Get(PenaltyMask, index, kPromptNotViewed);
}

void TResultTest::SetResultMask(int index, int32_t value) {
    Set(ResultMask, index, value);
}

void TResultTest::SetTimeMask(int index, int32_t value) {
    Set(TimeMask, index, value);
}

void TResultTest::SetPenaltyMask(int index, int32_t value) {
    Set(PenaltyMask, index, value);
}

void TResultTest::SetAnswer(int index, const std::string& text) {
    Set(AnswerMask, index, text);
}

std::string TResultTest::ResultMaskText() const {
    return MaskText(ResultMask, ResultSymbol);
}

std::string TResultTest::TimeMaskText() const {
    return MaskText(TimeMask, CountSymbol);
}

std::string TResultTest::AnswerMaskText() const {
    return MaskText(AnswerMask, [](const std::string& text) { return text; });
}

std::string TResultTest::PenaltyMaskText() const {
    return MaskText(PenaltyMask, CountSymbol);
}

void TResultTest::SaveToStream(OutputStream& output) const {
    BinaryWriter writer(output);
    WriteText(writer, UserName);
    WriteText(writer, UserGroup);
    WriteText(writer, ComputerName);
    WriteText(writer, ComputerUserName);
    WriteText(writer, Reserved1);
    writer.WriteDouble(TimeBegin);
    writer.WriteDouble(TimeEnd);
    writer.WriteInt32(Duration);
    writer.WriteDouble(ResultDate);
    WriteText(writer, TestTitle);
    WriteText(writer, TestFileName);
    writer.WriteUInt32(TestFileCRC);
    WriteText(writer, TestUId);
    WriteIntegerMask(writer, ResultMask);
    WriteIntegerMask(writer, TimeMask);
    WriteTextMask(writer, AnswerMask);
    WriteIntegerMask(writer, PenaltyMask);
    writer.WriteByte(static_cast<uint8_t>(EndReason));
    writer.WriteInt32(Mark);
    WriteText(writer, MarkName);
    writer.WriteInt32(MarkCount);
    writer.WriteInt32(TaskCount);
    writer.WriteInt32(DoneCount);
    writer.WriteInt32(RightCount);
    writer.WriteInt32(WrongCount);
    writer.WriteInt32(NoAnswerCount);
    writer.WriteInt32(PromptCount);
    writer.WriteInt32(MaxScore);
    writer.WriteDouble(Score);
    WriteText(writer, Reserved2);
}

void TResultTest::LoadFromStream(InputStream& input) {
    TResultTest loaded;
    loaded.ReadFields(input);
    loaded.TakeRunStateFrom(*this);
    *this = std::move(loaded);
}

void TResultTest::ReadFields(InputStream& input) {
    BinaryReader reader(input);
    UserName = ReadText(reader);
    UserGroup = ReadText(reader);
    ComputerName = ReadText(reader);
    ComputerUserName = ReadText(reader);
    Reserved1 = ReadText(reader);
    TimeBegin = reader.ReadDouble();
    TimeEnd = reader.ReadDouble();
    Duration = reader.ReadInt32();
    ResultDate = reader.ReadDouble();
    TestTitle = ReadText(reader);
    TestFileName = ReadText(reader);
    TestFileCRC = reader.ReadUInt32();
    TestUId = ReadText(reader);
    ResultMask = ReadIntegerMask(reader);
    TimeMask = ReadIntegerMask(reader);
    AnswerMask = ReadTextMask(reader);
    PenaltyMask = ReadIntegerMask(reader);
    EndReason = static_cast<RunEndReason>(reader.ReadByte());
    Mark = reader.ReadInt32();
    MarkName = ReadText(reader);
    MarkCount = reader.ReadInt32();
    TaskCount = reader.ReadInt32();
    DoneCount = reader.ReadInt32();
    RightCount = reader.ReadInt32();
    WrongCount = reader.ReadInt32();
    NoAnswerCount = reader.ReadInt32();
    PromptCount = reader.ReadInt32();
    MaxScore = reader.ReadInt32();
    Score = reader.ReadDouble();
    Reserved2 = ReadText(reader);
}

void TResultTest::TakeRunStateFrom(TResultTest& other) {
    AskedMaxScore = other.AskedMaxScore;
    TaskOrder = std::move(other.TaskOrder);
    CurrentPosition = other.CurrentPosition;
    VariantOrder = std::move(other.VariantOrder);
    PositionStates = std::move(other.PositionStates);
}

} // namespace tevrix
