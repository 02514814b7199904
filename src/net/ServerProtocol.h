// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/Translate.h"

#include <cstddef>
#include <cstdint>

namespace tevrix {

// The line protocol between the station (always the client) and the
// teacher's server. One TCP connection per exchange; the station closes it
// after its last step, also when a step failed.
//
// Line:  the bytes of a text in Windows-1251, then CR LF when the station
//        sends it. A received line ends at LF; a CR right before the LF is
//        removed. A received line of more than kMaxLineLength bytes (the CR
//        LF not counted) fails the exchange. A CR or LF inside a text the
//        station sends is replaced by a blank, so a value can never split
//        into two lines.
// Block: a line holding the byte count in decimal, then exactly that many
//        bytes, nothing after them. The count is of the bytes only.
// Inside a block, integers are little-endian, a text is an int32 byte count
// and its Windows-1251 bytes, a flag is one byte (0 or 1), a float is an
// 8-byte IEEE double.
//
//   TEST      -> "TEST", computer name; <- one line ("OK" = success); -> "QUIT"
//   INFOBEGIN -> "INFOBEGIN", block; -> "QUIT"
//     block: RunId, UserName, UserGroup, ComputerName, ComputerUserName,
//            TestTitle, TestFileName (texts), TestFileCRC (uint32),
//            TestUId (text), TaskCount, MaxScore (int32)
//   INFOPROCESS -> "INFOPROCESS", block; -> "QUIT"
//     block: RunId (text), ServerProgressFlag (flag), DoneCount, RightCount,
//            WrongCount, NoAnswerCount (int32), Score (double),
//            AskedMaxScore (int32): 71 bytes with a 38-character RunId
//   RESULT    -> "RESULT", RunId line, ResultKey line, block holding the
//                result record stream; -> "QUIT"
//   GETLIST   -> "GETLIST", computer name; <- reply; when "YES":
//                <- count N, <- N lines (the offered tests)
//   GETTEST   -> "GETTEST", computer name, the chosen line unchanged;
//                <- reply; when "YES": <- name line, <- size S, <- S bytes
//                (a test file); then -> "QUIT"
// Nothing but the TEST reply and the GETLIST/GETTEST replies is read.

inline constexpr const char* kCommandTest = "TEST";
inline constexpr const char* kCommandInfoBegin = "INFOBEGIN";
inline constexpr const char* kCommandInfoProcess = "INFOPROCESS";
inline constexpr const char* kCommandResult = "RESULT";
inline constexpr const char* kCommandGetList = "GETLIST";
inline constexpr const char* kCommandGetTest = "GETTEST";
inline constexpr const char* kCommandQuit = "QUIT";

// The replies that mean yes; any other text, in any other case, is a no.
inline constexpr const char* kReplyOk = "OK";
inline constexpr const char* kReplyYes = "YES";

inline constexpr size_t kMaxLineLength = 16384;
// The largest test the station takes from the server. The whole test is
// held in memory, and no test of a school fits anywhere near it; a larger
// size line is damage or hostility and fails the exchange before a byte of
// the test is read.
inline constexpr int64_t kMaxReceivedTestSize = 256ll * 1024 * 1024;
// The most offered tests a list may announce; a larger count fails the
// exchange.
inline constexpr int64_t kMaxOfferedTests = 10'000;
// The most text a list may hold once decoded (UTF-8 bytes of all its lines);
// more fails the exchange as soon as it arrives. A school's list of a
// thousand paths takes some 100 KB. With the pupil's list items made from it,
// a list costs at most about twice this in memory.
inline constexpr size_t kMaxOfferedListBytes = 4 * 1024 * 1024;

// The pupil's messages (Russian source texts, translated when shown).
inline constexpr const char* kMsgNoConnection = N_("Нет связи с сервером!");
inline constexpr const char* kMsgConnectionError = N_("Ошибка связи с сервером!");
inline constexpr const char* kMsgTestRefused = N_("Отказано в получении теста...");
inline constexpr const char* kMsgConnectionSucceeded = N_("Соединение прошло успешно...");
inline constexpr const char* kNetCaptionError = N_("Ошибка!");
// A plain message box is captioned with the application's title.
inline constexpr const char* kApplicationTitle = "TevrixStudent";

} // namespace tevrix
