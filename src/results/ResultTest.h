// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "io/ByteStream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tevrix {

// How a run ended. A record read from a file may carry any byte here.
enum class RunEndReason : uint8_t {
    Running = 0,
    Finished = 1,      // no task left to ask after a check
    Stopped = 2,       // stopped by the pupil
    TimeOut = 3,       // the test's time ran out
    ProgramClosed = 4, // interrupted because the program was closed
};

// The record of one run of a test by one pupil. Texts are UTF-8 here and
// Windows-1251 in the result record stream.
//
// The result record stream, integers little-endian, text = int32 byte length
// + bytes, integer array = int32 count + int32 values, text array = int32
// count + texts, date-time and float = 8-byte IEEE double:
//   UserName, UserGroup, ComputerName, ComputerUserName, Reserved1   texts
//   TimeBegin, TimeEnd  doubles;  Duration  int32;  ResultDate  double
//   TestTitle, TestFileName  texts;  TestFileCRC  uint32;  TestUId  text
//   ResultMask, TimeMask  integer arrays;  AnswerMask  text array
//   PenaltyMask  integer array;  EndReason  1 byte
//   Mark  int32;  MarkName  text
//   MarkCount, TaskCount, DoneCount, RightCount, WrongCount,
//   NoAnswerCount, PromptCount, MaxScore  int32
//   Score  double;  Reserved2  text
// No header, version or terminator: the record ends where its last field does.
class TResultTest {
public:
    // Mask entries that mean "nothing recorded yet".
    static constexpr int32_t kNotChecked = -1;
    static constexpr int32_t kNeverShown = -1;
    static constexpr int32_t kPromptNotViewed = -1;
    // Every ResultMask entry of a result that is unavailable.
    static constexpr int32_t kUnavailable = -2;

    // A record with masks of no tasks, as records read back from a file start.
    TResultTest() = default;
    // A record for a test of `taskCount` tasks: integer masks all -1, answers
    // empty, every other field zero or empty.
    static TResultTest Create(int taskCount);

    std::string UserName;
    std::string UserGroup;
    std::string ComputerName;
    std::string ComputerUserName;
    std::string Reserved1;
    double TimeBegin = 0;
    double TimeEnd = 0;
    int32_t Duration = 0; // seconds
    double ResultDate = 0;
    std::string TestTitle;
    std::string TestFileName;
    uint32_t TestFileCRC = 0;
    std::string TestUId;
    // One entry per task of the test, in the order of the test file.
    std::vector<int32_t> ResultMask;
    std::vector<int32_t> TimeMask;
    std::vector<std::string> AnswerMask;
    std::vector<int32_t> PenaltyMask;
    RunEndReason EndReason = RunEndReason::Running;
    int32_t Mark = 0;
    std::string MarkName;
    int32_t MarkCount = 0;
    int32_t TaskCount = 0;
    int32_t DoneCount = 0;
    int32_t RightCount = 0;
    int32_t WrongCount = 0;
    int32_t NoAnswerCount = 0;
    int32_t PromptCount = 0;
    int32_t MaxScore = 0;
    double Score = 0;
    std::string Reserved2;

    // Run state, never serialised.
    int32_t AskedMaxScore = 0;
    std::vector<int32_t> TaskOrder; // position -> index of the task in the test
    int32_t CurrentPosition = 0;
    std::vector<int32_t> VariantOrder;   // display slot -> index of the variant
    std::vector<int32_t> PositionStates; // -1 never shown, 0 shown, 1 checked

    // Copies the serialised fields of `source` through the record stream;
    // this record's run state is kept.
    void Assign(const TResultTest& source);

    // Mask entries by task index. An index outside the masks reads as the
    // initial value and is ignored when written, so a caller's slip cannot
    // corrupt memory.
    int32_t GetResultMask(int index) const;
    int32_t GetTimeMask(int index) const;
    int32_t GetPenaltyMask(int index) const;
    void SetResultMask(int index, int32_t value);
    void SetTimeMask(int index, int32_t value);
    void SetPenaltyMask(int index, int32_t value);
    void SetAnswer(int index, const std::string& text);
    void IncDuration() { ++Duration; }

    // "1) x 2) y " with each entry's symbol; an empty mask gives "".
    std::string ResultMaskText() const;
    std::string TimeMaskText() const;
    std::string AnswerMaskText() const;
    std::string PenaltyMaskText() const;

    void SaveToStream(OutputStream& output) const;
    // Replaces every serialised field with one record read from `input`;
    // run state is kept. Throws FormatError on damaged data (truncated, a
    // negative length or count, a mask longer than any test), leaving this
    // record unchanged.
    void LoadFromStream(InputStream& input);

private:
    void ReadFields(InputStream& input);
    void TakeRunStateFrom(TResultTest& other);
};

} // namespace tevrix
