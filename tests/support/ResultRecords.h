// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Result records for the tests: bytes of a record, a record of every field,
// and the content of a protected result file.

#include "io/ByteStream.h"
#include "io/ZlibInputStream.h"
#include "results/ResultTest.h"
#include "text/DateTime.h"

#include <cstdint>
#include <string>

namespace tevrix::testing {

inline std::string RecordBytes(const TResultTest& record) {
    MemoryOutputStream out;
    record.SaveToStream(out);
    return {out.Bytes().begin(), out.Bytes().end()};
}

inline TResultTest RecordFromBytes(const std::string& bytes) {
    MemoryInputStream in(AsBytes(bytes));
    TResultTest record;
    record.LoadFromStream(in);
    return record;
}

// The decompressed content of a protected result file (after its 22-byte
// signature).
inline std::string InflateAfterSignature(const std::string& file) {
    const std::string compressed = file.substr(22);
    MemoryInputStream source(AsBytes(compressed));
    ZlibInputStream inflate(source);
    std::string content;
    uint8_t buffer[4096];
    while (const size_t got = inflate.Read(buffer, sizeof buffer))
        content.append(reinterpret_cast<const char*>(buffer), got);
    return content;
}

// A record of a 3-task test as a finished run leaves it, every serialised
// field set, Cyrillic texts included.
inline TResultTest SampleRecord(const std::string& userName = "Иванов Иван") {
    TResultTest record = TResultTest::Create(3);
    record.UserName = userName;
    record.UserGroup = "7-Б";
    record.ComputerName = "CLASS-PC7";
    record.ComputerUserName = "pupil";
    record.Reserved1 = "r1";
    record.TimeBegin = EncodeOleDate({2024, 3, 5, 9, 15, 0, 0});
    record.TimeEnd = EncodeOleDate({2024, 3, 5, 9, 27, 41, 0});
    record.Duration = 761;
    record.ResultDate = record.TimeEnd;
    record.TestTitle = "Дроби";
    record.TestFileName = "/home/teacher/Дроби.tvf";
    record.TestFileCRC = 0x0A1B2C3D;
    record.TestUId = "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";
    record.ResultMask = {2, 0, -1};
    record.TimeMask = {12, 40, -1};
    record.AnswerMask = {"3;1;", "x=10; y=20", ""};
    record.PenaltyMask = {-1, 1, -1};
    record.EndReason = RunEndReason::Stopped;
    record.Mark = 4;
    record.MarkName = "хорошо";
    record.MarkCount = 5;
    record.TaskCount = 2;
    record.DoneCount = 2;
    record.RightCount = 1;
    record.WrongCount = 1;
    record.NoAnswerCount = 0;
    record.PromptCount = 1;
    record.MaxScore = 3;
    record.Score = 1.5;
    record.Reserved2 = "r2";
    return record;
}

} // namespace tevrix::testing
