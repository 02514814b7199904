// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Outcome.h"
#include "text/Translate.h"

namespace tevrix {

// The Russian source texts of the result outputs; each passes through the
// interface translation before it is shown or written.
inline constexpr const char* kMsgResultLogWriteError = N_("Ошибка записи в файл результатов.");
inline constexpr const char* kMsgProtectedWriteError =
    N_("Ошибка записи в защищенный файл результатов.");
inline constexpr const char* kMsgWrongFileType = N_("Неверный тип файла!");
inline constexpr const char* kResultCaptionAttention = N_("Внимание!");
inline constexpr const char* kResultCaptionError = N_("Ошибка!");
inline constexpr const char* kResultCaptionTestResults = N_("Результаты тестирования");
inline constexpr const char* kMsgAskTheTeacher =
    N_("Тест закончен... \r\nРезультаты тестирования\r\nВы можете узнать у руководителя.");
// The mark name of a result that is unavailable.
inline constexpr const char* kUnavailableMarkName = N_("недоступно...");

} // namespace tevrix
