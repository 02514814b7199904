// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultTest.h"
#include "support/ByteBuilder.h"
#include "support/CaseNames.h"
#include "support/ResultRecords.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using testing::ByteBuilder;
using testing::RecordBytes;
using testing::RecordFromBytes;
using testing::SampleRecord;

TEST(ResultTestCreate, GivesMasksOfTheTestsLengthAndNothingElse) {
    const TResultTest record = TResultTest::Create(4);
    EXPECT_EQ(record.ResultMask, std::vector<int32_t>(4, -1));
    EXPECT_EQ(record.TimeMask, std::vector<int32_t>(4, -1));
    EXPECT_EQ(record.PenaltyMask, std::vector<int32_t>(4, -1));
    EXPECT_EQ(record.AnswerMask, std::vector<std::string>(4));
    EXPECT_EQ(record.ResultMaskText(), "1) * 2) * 3) * 4) * ");
    EXPECT_EQ(record.TimeMaskText(), "1) * 2) * 3) * 4) * ");
    EXPECT_EQ(record.PenaltyMaskText(), "1) * 2) * 3) * 4) * ");
    EXPECT_EQ(record.AnswerMaskText(), "1)  2)  3)  4)  ");
    // Every other field is zero or empty: the record is the empty record
    // with four tasks' masks.
    TResultTest expected;
    expected.ResultMask = record.ResultMask;
    expected.TimeMask = record.TimeMask;
    expected.AnswerMask = record.AnswerMask;
    expected.PenaltyMask = record.PenaltyMask;
    EXPECT_EQ(RecordBytes(record), RecordBytes(expected));
}

enum class Mask { Result, Time, Penalty };

struct MaskTextCase {
    Mask Which;
    std::vector<int32_t> Values;
    const char* Expected;
};

class MaskText : public ::testing::TestWithParam<MaskTextCase> {};

TEST_P(MaskText, GivesEachEntryItsSymbol) {
    const MaskTextCase& c = GetParam();
    TResultTest record;
    switch (c.Which) {
    case Mask::Result:
        record.ResultMask = c.Values;
        EXPECT_EQ(record.ResultMaskText(), c.Expected);
        break;
    case Mask::Time:
        record.TimeMask = c.Values;
        EXPECT_EQ(record.TimeMaskText(), c.Expected);
        break;
    case Mask::Penalty:
        record.PenaltyMask = c.Values;
        EXPECT_EQ(record.PenaltyMaskText(), c.Expected);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskText,
    ::testing::Values(MaskTextCase{Mask::Result, {0, 5, -1, 150}, "1) - 2) + 3) * 4) ? "},
                      MaskTextCase{
                          Mask::Result, {1, 100, 101, -2, -7}, "1) + 2) + 3) ? 4) ? 5) ? "},
                      MaskTextCase{Mask::Result, {}, ""},
                      MaskTextCase{Mask::Time, {-1, 0, 37, -5}, "1) * 2) 0 3) 37 4) * "},
                      MaskTextCase{Mask::Penalty, {-1, 0, 2}, "1) * 2) 0 3) 2 "},
                      MaskTextCase{Mask::Time,
                                   {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                                   "1) 0 2) 1 3) 2 4) 3 5) 4 6) 5 7) 6 8) 7 9) 8 10) 9 11) 10 "}),
    testing::CaseName);

TEST(ResultTestMasks, AnswerTextIsTheAnswerItself) {
    TResultTest record = TResultTest::Create(3);
    record.SetAnswer(0, "3;1;");
    record.SetAnswer(2, "1-Да;2-;");
    EXPECT_EQ(record.AnswerMaskText(), "1) 3;1; 2)  3) 1-Да;2-; ");
}

TEST(ResultTestMasks, AccessorsReadAndWriteOneEntry) {
    TResultTest record = TResultTest::Create(2);
    record.SetResultMask(1, 3);
    record.SetTimeMask(0, 17);
    record.SetPenaltyMask(1, 0);
    EXPECT_EQ(record.GetResultMask(1), 3);
    EXPECT_EQ(record.GetResultMask(0), -1);
    EXPECT_EQ(record.GetTimeMask(0), 17);
    EXPECT_EQ(record.GetPenaltyMask(1), 0);
    record.IncDuration();
    record.IncDuration();
    EXPECT_EQ(record.Duration, 2);
}

TEST(ResultTestMasks, AnIndexOutsideTheMasksChangesNothing) {
    TResultTest record = TResultTest::Create(2);
    const std::string before = RecordBytes(record);
    for (const int index : {-1, 2, 1000}) {
        record.SetResultMask(index, 5);
        record.SetTimeMask(index, 5);
        record.SetPenaltyMask(index, 5);
        record.SetAnswer(index, "x");
        EXPECT_EQ(record.GetResultMask(index), -1);
        EXPECT_EQ(record.GetTimeMask(index), -1);
        EXPECT_EQ(record.GetPenaltyMask(index), -1);
    }
    EXPECT_EQ(RecordBytes(record), before);
}

// The sample record laid out by hand, field by field, texts in Windows-1251.
std::string SampleRecordLayout() {
    const TResultTest sample = SampleRecord();
    return ByteBuilder()
        .Text("\xC8\xE2\xE0\xED\xEE\xE2 \xC8\xE2\xE0\xED") // Иванов Иван
        .Text("7-\xC1")                                    // 7-Б
        .Text("CLASS-PC7")
        .Text("pupil")
        .Text("r1")
        .Double(sample.TimeBegin)
        .Double(sample.TimeEnd)
        .Int32(761)
        .Double(sample.TimeEnd)
        .Text("\xC4\xF0\xEE\xE1\xE8") // Дроби
        .Text("/home/teacher/\xC4\xF0\xEE\xE1\xE8.tvf")
        .UInt32(0x0A1B2C3D)
        .Text("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}")
        .Int32(3)
        .Int32(2)
        .Int32(0)
        .Int32(-1)
        .Int32(3)
        .Int32(12)
        .Int32(40)
        .Int32(-1)
        .Int32(3)
        .Text("3;1;")
        .Text("x=10; y=20")
        .Text("")
        .Int32(3)
        .Int32(-1)
        .Int32(1)
        .Int32(-1)
        .Byte(2)
        .Int32(4)
        .Text("\xF5\xEE\xF0\xEE\xF8\xEE") // хорошо
        .Int32(5)
        .Int32(2)
        .Int32(2)
        .Int32(1)
        .Int32(1)
        .Int32(0)
        .Int32(1)
        .Int32(3)
        .Double(1.5)
        .Text("r2")
        .Bytes();
}

TEST(ResultTestStream, WritesEveryFieldInOrderInWindows1251) {
    EXPECT_EQ(RecordBytes(SampleRecord()), SampleRecordLayout());
}

TEST(ResultTestStream, AnEmptyRecordIsFourZeroBytesPerText) {
    const std::string bytes = RecordBytes(TResultTest());
    ASSERT_EQ(bytes.size(), 133u);
    EXPECT_EQ(bytes.substr(0, 20), std::string(20, '\0')); // five empty texts
    EXPECT_EQ(bytes.substr(129), std::string(4, '\0'));    // Reserved2
}

TEST(ResultTestStream, ReadsWhatItWroteByteForByte) {
    const std::string layout = SampleRecordLayout();
    const TResultTest read = RecordFromBytes(layout);
    EXPECT_EQ(read.UserName, "Иванов Иван");
    EXPECT_EQ(read.MarkName, "хорошо");
    EXPECT_EQ(read.AnswerMask, (std::vector<std::string>{"3;1;", "x=10; y=20", ""}));
    EXPECT_EQ(read.EndReason, RunEndReason::Stopped);
    EXPECT_EQ(read.Score, 1.5);
    EXPECT_EQ(RecordBytes(read), layout);
}

TEST(ResultTestStream, KeepsEveryByteOfItsTexts) {
    std::string allBytes;
    for (int b = 1; b < 256; ++b)
        allBytes += static_cast<char>(b);
    TResultTest empty;
    std::string bytes = RecordBytes(empty);
    bytes.replace(0, 4, ByteBuilder().Text(allBytes).Bytes());
    const size_t endReason = 80 + allBytes.size(); // after the longer first text
    bytes[endReason] = static_cast<char>(0xFF);    // an end reason no run gives
    EXPECT_EQ(RecordBytes(RecordFromBytes(bytes)), bytes);
}

TEST(ResultTestStream, LoadKeepsTheRunStateAndAssignCopiesOnlyTheRecord) {
    TResultTest source = SampleRecord();
    source.AskedMaxScore = 3;
    source.TaskOrder = {2, 0};
    source.CurrentPosition = 1;
    source.VariantOrder = {1, 0};
    source.PositionStates = {1, 1};

    TResultTest copy;
    copy.Assign(source);
    EXPECT_EQ(RecordBytes(copy), RecordBytes(source));
    EXPECT_EQ(copy.AskedMaxScore, 0);
    EXPECT_TRUE(copy.TaskOrder.empty());
    EXPECT_EQ(copy.CurrentPosition, 0);
    EXPECT_TRUE(copy.VariantOrder.empty());
    EXPECT_TRUE(copy.PositionStates.empty());

    TResultTest running = TResultTest::Create(1);
    running.AskedMaxScore = 7;
    running.TaskOrder = {0};
    running.Assign(source);
    EXPECT_EQ(running.UserName, source.UserName);
    EXPECT_EQ(running.AskedMaxScore, 7);
    EXPECT_EQ(running.TaskOrder, std::vector<int32_t>{0});
}

// The fields before the masks with every text empty: 5 texts, 3 dates, an
// int32, 2 texts, the checksum, a text.
ByteBuilder FieldsBeforeMasks() {
    ByteBuilder bytes;
    for (int i = 0; i < 5; ++i)
        bytes.Int32(0);
    bytes.Double(0).Double(0).Int32(0).Double(0).Int32(0).Int32(0).UInt32(0).Int32(0);
    return bytes;
}

struct DamageCase {
    const char* Name;
    std::string Bytes;
};

class DamagedRecord : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedRecord, FailsAndLeavesTheRecordAsItWas) {
    TResultTest record = SampleRecord();
    const std::string before = RecordBytes(record);
    MemoryInputStream in(AsBytes(GetParam().Bytes));
    EXPECT_THROW(record.LoadFromStream(in), FormatError);
    EXPECT_EQ(RecordBytes(record), before);
}

INSTANTIATE_TEST_SUITE_P(
    HostileInput, DamagedRecord,
    ::testing::Values(
        DamageCase{"empty", ""},
        DamageCase{"negative_text_length", ByteBuilder().Int32(-1).Bytes()},
        DamageCase{"text_of_2_GB_in_a_few_bytes",
                   ByteBuilder().Int32(0x7FFFFFFF).Raw("abc").Bytes()},
        DamageCase{"text_longer_than_the_data", ByteBuilder().Int32(100).Raw("abc").Bytes()},
        DamageCase{"negative_mask_count", FieldsBeforeMasks().Int32(-5).Bytes()},
        DamageCase{"mask_longer_than_any_test", FieldsBeforeMasks().Int32(100'001).Bytes()},
        DamageCase{"huge_mask_count", FieldsBeforeMasks().Int32(0x7FFFFFFF).Bytes()},
        DamageCase{"mask_count_beyond_the_data",
                   FieldsBeforeMasks().Int32(50'000).Int32(1).Bytes()},
        DamageCase{"negative_answer_length",
                   FieldsBeforeMasks().Int32(0).Int32(0).Int32(2).Int32(0).Int32(-2).Bytes()}),
    testing::CaseName);

TEST(ResultTestStream, EveryTruncationFails) {
    const std::string layout = SampleRecordLayout();
    for (size_t length = 0; length < layout.size(); ++length) {
        const std::string cut = layout.substr(0, length); // outlives the stream that reads it
        MemoryInputStream in(AsBytes(cut));
        TResultTest record;
        EXPECT_THROW(record.LoadFromStream(in), FormatError) << "cut at " << length;
    }
}

} // namespace
} // namespace tevrix
