// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tevrix {

enum class MessageIcon {
    None,
    Information,
    Exclamation,
    Error,
    Question,
};

// A message box the result outputs ask the window to show: an OK button, the
// caption and the icon. Texts are already translated.
struct ResultMessage {
    std::string Text;
    std::string Caption;
    MessageIcon Icon = MessageIcon::None;
    friend bool operator==(const ResultMessage&, const ResultMessage&) = default;
};

// The Russian source texts of the result outputs; each passes through the
// interface translation before it is shown or written.
inline constexpr const char* kMsgResultLogWriteError = "Ошибка записи в файл результатов.";
inline constexpr const char* kMsgProtectedWriteError =
    "Ошибка записи в защищенный файл результатов.";
inline constexpr const char* kMsgWrongFileType = "Неверный тип файла!";
inline constexpr const char* kResultCaptionAttention = "Внимание!";
inline constexpr const char* kResultCaptionError = "Ошибка!";
inline constexpr const char* kResultCaptionTestResults = "Результаты тестирования";
inline constexpr const char* kMsgAskTheTeacher =
    "Тест закончен... \r\nРезультаты тестирования\r\nВы можете узнать у руководителя.";
// The mark name of a result that is unavailable.
inline constexpr const char* kUnavailableMarkName = "недоступно...";

} // namespace tevrix
