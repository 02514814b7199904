// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Outcome.h"
#include "model/Task.h"
#include "model/Test.h"
#include "text/Translate.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tevrix {

inline constexpr const char* kMsgWrongTestFileType = N_("Неверный тип файла с тестом!");
inline constexpr const char* kMsgWrongPassword = N_("Неверный пароль!");
inline constexpr const char* kMsgTestLoadError = N_("Ошибка загрузки теста!");
// Caption of the loader's message boxes (OK button, error icon).
inline constexpr const char* kCaptionError = N_("Ошибка!");

enum class LoadTestStatus {
    NotFound,      // empty name, or no such file and no stream: nothing happened
    Loaded,        // Test and Tasks hold the test
    WrongType,     // not a test file
    Cancelled,     // the pupil did not confirm the password dialog
    WrongPassword, // the password typed was not the test's
    Failed,        // anything else: unreadable, damaged, an embedded file not written
};

struct LoadTestOutcome {
    LoadTestStatus Status = LoadTestStatus::NotFound;
    // Ok when Loaded; a failure's box is captioned kCaptionError with the
    // error icon (its text untranslated), and NotFound and Cancelled show none.
    Outcome Result;
    std::unique_ptr<TTest> Test;
    TTaskList Tasks;
    // The embedded files unpacked into Test->TempDir, in file order (a name
    // repeated in the file is listed once; its last content is kept).
    std::vector<std::string> FileNames;
};

// Asks the pupil for the opening password: the text typed, or nothing when
// the dialog was not confirmed.
using PasswordPrompt = std::function<std::optional<std::string>()>;

// Loads a test from the file `name`, or, when `received` is given, from those
// bytes (a test received from the server, `name` being the name it came
// with). Any status but NotFound means the caller's previous test is to be
// freed. On success the embedded files are unpacked into the test's
// temporary folder, FileCrc is the CRC-32 of the file or of the received
// bytes and RecountThemes has run; the caller puts a file at the top of its
// recent files. On failure nothing that was unpacked survives.
LoadTestOutcome LoadTest(const std::string& name, std::optional<std::span<const uint8_t>> received,
                         const PasswordPrompt& askPassword);
// The same with the temporary folders below `tempRoot`.
LoadTestOutcome LoadTest(const std::string& name, std::optional<std::span<const uint8_t>> received,
                         const PasswordPrompt& askPassword, const std::string& tempRoot);

} // namespace tevrix
