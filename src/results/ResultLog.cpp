// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultLog.h"

#include "platform/Files.h"
#include "results/ResultFigures.h"
#include "text/Cp1251.h"
#include "text/DateTime.h"
#include "text/Translate.h"

#include <cstdio>
#include <fstream>

namespace tevrix {
namespace {

const std::string kRule(48, '-');

// The date and time that begin the event lines, trailing blank included.
std::string EventStamp(double now) {
    return FormatDateTime("dd.mm.yyyy hh:nn:ss ", now);
}

const char* EndReasonLine(RunEndReason reason) {
    switch (reason) {
    case RunEndReason::Finished: return N_("Тест закончен...");
    case RunEndReason::Stopped: return N_("Тест остановлен...");
    case RunEndReason::TimeOut: return N_("Тест закончен - вышло время...");
    case RunEndReason::ProgramClosed: return N_("Тест прерван - закрыта программа...");
    default: return nullptr;
    }
}

std::string HexCrc(uint32_t crc) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(crc));
    return buffer;
}

long long Int(int32_t value) {
    return value;
}

// True when the file's last line has no line end: a station killed while
// appending left it so.
bool EndsInsideALine(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file || file.tellg() <= 0)
        return false;
    file.seekg(-1, std::ios::end);
    char last = 0;
    return file.get(last) && last != '\n';
}

} // namespace

ResultLog::ResultLog(std::string path, TextLocale locale)
    : m_path(std::move(path)), m_locale(std::move(locale)) {}

std::string ResultLog::Line(const char* pattern, const std::vector<FormatArg>& args) const {
    return m_locale.TrFormat(pattern, args);
}

std::vector<std::string> ResultLog::BlockLines(const TResultTest& record, double now) const {
    const ResultFigures figures = ResultFigures::Of(record);
    std::vector<std::string> lines;
    lines.push_back(kRule);
    lines.push_back("---------- " + FormatDateTime("dd.mm.yyyy hh:nn:ss", now) + " ----------");
    if (const char* reason = EndReasonLine(record.EndReason))
        lines.push_back(m_locale.Tr(reason));
    lines.push_back(Line("Имя компьютера: \"%s\"", {record.ComputerName}));
    lines.push_back(Line("Имя пользователя компьютера: \"%s\"", {record.ComputerUserName}));
    lines.push_back(Line("Имя пользователя (тестируемого): \"%s\"", {record.UserName}));
    lines.push_back(Line("Группа (класс) пользователя (тестируемого): \"%s\"", {record.UserGroup}));
    lines.push_back(Line("Название теста: \"%s\"", {record.TestTitle}));
    lines.push_back(Line("Файл с тестом: \"%s\"", {record.TestFileName}));
    lines.push_back(Line("CRC Файла с тестом: \"%s\"", {HexCrc(record.TestFileCRC)}));
    lines.push_back(Line("Всего заданий в тесте: %d.", {Int(record.TaskCount)}));
    lines.push_back(Line("Выполнено заданий: %d.", {Int(record.DoneCount)}));
    lines.push_back(Line("Из них правильно: %d (%1.1f%% выполненых заданий).",
                         {Int(record.RightCount), figures.ShareRight}));
    lines.push_back(Line("Из них ошибок: %d (%1.1f%% выполненых заданий).",
                         {Int(record.WrongCount), figures.ShareWrong}));
    lines.push_back(Line("Результативность: %1.1f%%.", {figures.Effectiveness}));
    lines.push_back(Line("Использовано подсказок: %d.", {Int(record.PromptCount)}));
    lines.push_back(Line("Набрано баллов: %1.1f из %d возможных. Ваш результат: %1.1f%%.",
                         {record.Score, Int(record.MaxScore), figures.Result}));
    lines.push_back(Line("Оценка: %s.", {figures.MarkText}));
    lines.push_back(Line("Маска результата: \"%s\".", {record.ResultMaskText()}));
    lines.push_back(
        Line("Маска времени обдумывания (в секундах): \"%s\".", {record.TimeMaskText()}));
    lines.push_back(Line("Маска ответов: \"%s\".", {record.AnswerMaskText()}));
    lines.push_back(Line("Маска штрафов за подсказку: \"%s\".", {record.PenaltyMaskText()}));
    lines.push_back(Line("Время начала: %s.", {figures.TimeBeginText}));
    lines.push_back(Line("Время завершения: %s.", {figures.TimeEndText}));
    lines.push_back(Line("Продолжительность: %s.", {figures.DurationText}));
    lines.push_back(kRule);
    return lines;
}

std::string ResultLog::ProgramStartLine(double now) const {
    return EventStamp(now) + m_locale.Tr("Запущена программа TevrixStudent.");
}

std::string ResultLog::ProgramCloseLine(double now) const {
    return EventStamp(now) + m_locale.Tr("Закрыта программа TevrixStudent.");
}

std::string ResultLog::RunStartLine(double now, const std::string& testTitle) const {
    return Line("%s Начат тест: \"%s\"", {EventStamp(now), testTitle});
}

Outcome ResultLog::SaveResultLog(const TResultTest& record, double now) const {
    return Append(BlockLines(record, now));
}

Outcome ResultLog::AppendLogLine(const std::string& line) const {
    return Append({line});
}

Outcome ResultLog::Append(const std::vector<std::string>& lines) const {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += Utf8ToCp1251(line) + "\r\n";
    // What a killed writer left unfinished ends its line here, so that the
    // first line of this entry stays a line of its own.
    if (EndsInsideALine(m_path))
        bytes.insert(0, "\r\n");
    try {
        AppendFileBytes(m_path, bytes);
        return {};
    } catch (const IoError&) {
        return Outcome::Failure(PupilMessage{m_locale.Tr(kMsgResultLogWriteError),
                                             m_locale.Tr(kResultCaptionAttention),
                                             MessageIcon::Information});
    }
}

} // namespace tevrix
