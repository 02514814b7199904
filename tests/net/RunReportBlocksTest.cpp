// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/RunReportBlocks.h"
#include "support/ByteBuilder.h"
#include "support/ResultRecords.h"

#include <gtest/gtest.h>

namespace tevrix {
namespace {

using testing::ByteBuilder;

constexpr const char* kRunId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

std::string AsString(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// The record of a 20-task run of pupil "Иванов Иван" as its start leaves it.
TResultTest StartedRecord() {
    TResultTest record = TResultTest::Create(25);
    record.UserName = "Иванов Иван";
    record.UserGroup = "10 А";
    record.ComputerName = "CLASS-PC7";
    record.ComputerUserName = "pupil";
    record.TestTitle = "Дроби";
    record.TestFileName = "C:\\Tests\\drobi.tvf";
    record.TestFileCRC = 0xDEADBEEF;
    record.TestUId = "{11111111-2222-3333-4444-555555555555}";
    record.TaskCount = 20;
    record.MaxScore = 37;
    return record;
}

TEST(RunReportBlocksTest, InfoBeginHoldsTheStartFieldsInOrder) {
    const std::string expected = ByteBuilder()
                                     .Text(kRunId)
                                     .Text("\xC8\xE2\xE0\xED\xEE\xE2 \xC8\xE2\xE0\xED")
                                     .Text("10 \xC0")
                                     .Text("CLASS-PC7")
                                     .Text("pupil")
                                     .Text("\xC4\xF0\xEE\xE1\xE8")
                                     .Text("C:\\Tests\\drobi.tvf")
                                     .UInt32(0xDEADBEEF)
                                     .Text("{11111111-2222-3333-4444-555555555555}")
                                     .Int32(20)
                                     .Int32(37)
                                     .Bytes();
    EXPECT_EQ(AsString(InfoBeginBlock(kRunId, StartedRecord())), expected);
}

TEST(RunReportBlocksTest, InfoBeginEndsWithTaskCountAndMaxScore) {
    const std::string block = AsString(InfoBeginBlock(kRunId, StartedRecord()));
    ASSERT_GE(block.size(), 8u);
    EXPECT_EQ(block.substr(block.size() - 8), std::string("\x14\0\0\0\x25\0\0\0", 8));
}

TEST(RunReportBlocksTest, InfoProcessIs71BytesOfTheCountsAfterACheck) {
    TResultTest record = StartedRecord();
    record.DoneCount = 3;
    record.RightCount = 2;
    record.WrongCount = 1;
    record.NoAnswerCount = 0;
    record.Score = 2.5;
    record.AskedMaxScore = 4;
    const std::string block = AsString(InfoProcessBlock(kRunId, true, record));
    EXPECT_EQ(block.size(), 71u);
    EXPECT_EQ(block, ByteBuilder()
                         .Text(kRunId)
                         .Byte(1)
                         .Int32(3)
                         .Int32(2)
                         .Int32(1)
                         .Int32(0)
                         .Double(2.5)
                         .Int32(4)
                         .Bytes());
}

TEST(RunReportBlocksTest, InfoProcessCarriesTheProgressFlagAsOneByte) {
    const std::string block = AsString(InfoProcessBlock(kRunId, false, StartedRecord()));
    EXPECT_EQ(block[4 + 38], '\0');
    EXPECT_EQ(block.size(), 71u);
}

TEST(RunReportBlocksTest, ResultBlockIsTheResultRecordStream) {
    const TResultTest record = testing::SampleRecord();
    EXPECT_EQ(AsString(ResultRecordBlock(record)), testing::RecordBytes(record));
}

} // namespace
} // namespace tevrix
