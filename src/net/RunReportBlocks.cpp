// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/RunReportBlocks.h"

#include "io/BinaryWriter.h"
#include "text/Cp1251.h"

namespace tevrix {
namespace {

void WriteText(BinaryWriter& writer, std::string_view text) {
    writer.WriteText(Utf8ToCp1251(text));
}

} // namespace

std::vector<uint8_t> InfoBeginBlock(std::string_view runId, const TResultTest& record) {
    MemoryOutputStream block;
    BinaryWriter writer(block);
    WriteText(writer, runId);
    WriteText(writer, record.UserName);
    WriteText(writer, record.UserGroup);
    WriteText(writer, record.ComputerName);
    WriteText(writer, record.ComputerUserName);
    WriteText(writer, record.TestTitle);
    WriteText(writer, record.TestFileName);
    writer.WriteUInt32(record.TestFileCRC);
    WriteText(writer, record.TestUId);
    writer.WriteInt32(record.TaskCount);
    writer.WriteInt32(record.MaxScore);
    return block.TakeBytes();
}

std::vector<uint8_t> InfoProcessBlock(std::string_view runId, bool serverProgressFlag,
                                      const TResultTest& record) {
    MemoryOutputStream block;
    BinaryWriter writer(block);
    WriteText(writer, runId);
    writer.WriteBool(serverProgressFlag);
    writer.WriteInt32(record.DoneCount);
    writer.WriteInt32(record.RightCount);
    writer.WriteInt32(record.WrongCount);
    writer.WriteInt32(record.NoAnswerCount);
    writer.WriteDouble(record.Score);
    writer.WriteInt32(record.AskedMaxScore);
    return block.TakeBytes();
}

std::vector<uint8_t> ResultRecordBlock(const TResultTest& record) {
    MemoryOutputStream block;
    record.SaveToStream(block);
    return block.TakeBytes();
}

} // namespace tevrix
