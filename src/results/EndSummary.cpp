// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/EndSummary.h"

#include "results/ResultFigures.h"
#include "text/Format.h"

namespace tevrix {
namespace {

const char* TitlePattern(RunEndReason reason) {
    switch (reason) {
    case RunEndReason::Finished: return "Тест \"%s\" закончен...";
    case RunEndReason::Stopped: return "Тест \"%s\" остановлен...";
    case RunEndReason::TimeOut: return "Тест \"%s\" закончен - вышло время...";
    case RunEndReason::ProgramClosed: return "Тест \"%s\" прерван - закрыта программа...";
    default: return nullptr;
    }
}

class SummaryBuilder {
public:
    explicit SummaryBuilder(const TextLocale& locale) : m_locale(locale) {}

    void Add(const char* pattern, const std::vector<FormatArg>& args,
             SummaryStyle style = SummaryStyle::Normal) {
        m_lines.push_back({Format(m_locale.Tr(pattern), args, m_locale.DecimalSeparator), style});
    }

    std::vector<SummaryLine> Take() { return std::move(m_lines); }

private:
    const TextLocale& m_locale;
    std::vector<SummaryLine> m_lines;
};

void AddUserResult(SummaryBuilder& summary, const TResultTest& record,
                   const ResultFigures& figures) {
    summary.Add("Из них правильно: %d (%1.1f%% выполненых заданий).",
                {static_cast<long long>(record.RightCount), figures.ShareRight});
    summary.Add("Из них ошибок: %d (%1.1f%% выполненых заданий).",
                {static_cast<long long>(record.WrongCount), figures.ShareWrong});
    if (record.NoAnswerCount > 0)
        summary.Add("Пропущено: %d (%1.1f%% всех заданий).",
                    {static_cast<long long>(record.NoAnswerCount), figures.ShareNoAnswer});
    summary.Add("Результативность: %1.1f%%.", {figures.Effectiveness});
    if (record.PromptCount > 0)
        summary.Add("Использовано подсказок: %d.", {static_cast<long long>(record.PromptCount)});
    summary.Add("Набрано баллов: %1.1f из %d возможных. Ваш результат: %1.1f%%.",
                {record.Score, static_cast<long long>(record.MaxScore), figures.Result},
                SummaryStyle::Bold);
    summary.Add("Оценка: %s.", {figures.MarkText}, SummaryStyle::BoldRed);
}

} // namespace

std::vector<SummaryLine> BuildEndSummary(const TResultTest& record, const std::string& testTitle,
                                         bool showUserResult, const TextLocale& locale) {
    const ResultFigures figures = ResultFigures::Of(record);
    SummaryBuilder summary(locale);
    if (const char* title = TitlePattern(record.EndReason))
        summary.Add(title, {testTitle}, SummaryStyle::Bold);
    summary.Add(
        "Всего заданий в тесте: %d. Вами выполнено заданий: %d.",
        {static_cast<long long>(record.TaskCount), static_cast<long long>(record.DoneCount)});
    if (showUserResult)
        AddUserResult(summary, record, figures);
    else
        summary.Add("Результаты тестирования Вы можете узнать у руководителя.", {},
                    SummaryStyle::BoldRed);
    summary.Add("Время начала: %s.", {figures.TimeBeginText});
    summary.Add("Время завершения: %s.", {figures.TimeEndText});
    summary.Add("Продолжительность: %s.", {figures.DurationText});
    return summary.Take();
}

} // namespace tevrix
