// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the network tests: short time-outs, an untranslated
// locale, the expected boxes, and a small test file to send.

#include "model/TestFileWriter.h"
#include "net/ServerProtocol.h"
#include "net/TcpConnector.h"
#include "results/ResultMessage.h"
#include "text/TextLocale.h"

#include <string>
#include <string_view>
#include <vector>

namespace tevrix::testing {

// Short enough that the silent-server tests finish quickly.
inline NetTimeouts TestTimeouts() {
    return {std::chrono::milliseconds(2000), std::chrono::milliseconds(300)};
}

inline TextLocale SourceTexts() {
    return {[](std::string_view text) { return std::string(text); }, '.'};
}

inline PupilMessage NoConnectionBox() {
    return {kMsgNoConnection, kNetCaptionError, MessageIcon::Error};
}
inline PupilMessage ConnectionErrorBox() {
    return {kMsgConnectionError, kNetCaptionError, MessageIcon::Error};
}
inline PupilMessage RefusedBox() {
    return {kMsgTestRefused, kApplicationTitle, MessageIcon::None};
}
inline PupilMessage SucceededBox() {
    return {kMsgConnectionSucceeded, kApplicationTitle, MessageIcon::None};
}

// A block as it travels: its length line, then its bytes.
inline std::string Framed(const std::vector<uint8_t>& block) {
    return std::to_string(block.size()) + "\r\n" + std::string(block.begin(), block.end());
}

// A test file of two tasks titled `title`, guarded by `openPassword`.
inline std::string SmallTestFile(const std::string& title, const std::string& openPassword = "") {
    TTest test;
    test.Title = title;
    test.OpenPassword = openPassword;
    TTaskList tasks(2);
    for (TTask& task : tasks) {
        task.Kind = TaskKind::tkSingleChoice;
        task.Question = {"Вопрос"};
    }
    const std::vector<uint8_t> bytes = WriteTestFileBytes(test, tasks, {});
    return {bytes.begin(), bytes.end()};
}

} // namespace tevrix::testing
