// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/EndSummary.h"

#include "results/ResultFigures.h"
#include "text/Format.h"
#include "text/Translate.h"

namespace tevrix {
namespace {

const char* TitlePattern(RunEndReason reason) {
    switch (reason) {
    case RunEndReason::Finished: return N_("Тест \"%s\" закончен...");
    case RunEndReason::Stopped: return N_("Тест \"%s\" остановлен...");
    case RunEndReason::TimeOut: return N_("Тест \"%s\" закончен - вышло время...");
    case RunEndReason::ProgramClosed: return N_("Тест \"%s\" прерван - закрыта программа...");
    default: return nullptr;
    }
}

class SummaryBuilder {
public:
    explicit SummaryBuilder(const TextLocale& locale) : m_locale(locale) {}

    void AddLine(const char* pattern, const std::vector<FormatArg>& args,
                 SummaryStyle style = SummaryStyle::Normal) {
        m_lines.push_back({m_locale.TrFormat(pattern, args), style});
    }

    std::vector<SummaryLine> Take() { return std::move(m_lines); }

private:
    const TextLocale& m_locale;
    std::vector<SummaryLine> m_lines;
};

void AddUserResult(SummaryBuilder& summary, const TResultTest& record,
                   const ResultFigures& figures) {
    summary.AddLine("Из них правильно: %d (%1.1f%% выполненых заданий).",
                    {static_cast<long long>(record.RightCount), figures.ShareRight});
    summary.AddLine("Из них ошибок: %d (%1.1f%% выполненых заданий).",
                    {static_cast<long long>(record.WrongCount), figures.ShareWrong});
    if (record.NoAnswerCount > 0)
        summary.AddLine("Пропущено: %d (%1.1f%% всех заданий).",
                        {static_cast<long long>(record.NoAnswerCount), figures.ShareNoAnswer});
    summary.AddLine("Результативность: %1.1f%%.", {figures.Effectiveness});
    if (record.PromptCount > 0)
        summary.AddLine("Использовано подсказок: %d.",
                        {static_cast<long long>(record.PromptCount)});
    summary.AddLine("Набрано баллов: %1.1f из %d возможных. Ваш результат: %1.1f%%.",
                    {record.Score, static_cast<long long>(record.MaxScore), figures.Result},
                    SummaryStyle::Bold);
    summary.AddLine("Оценка: %s.", {figures.MarkText}, SummaryStyle::BoldRed);
}

} // namespace

std::vector<SummaryLine> BuildEndSummary(const TResultTest& record, const std::string& testTitle,
                                         bool showUserResult, const TextLocale& locale) {
    const ResultFigures figures = ResultFigures::Of(record);
    SummaryBuilder summary(locale);
    if (const char* title = TitlePattern(record.EndReason))
        summary.AddLine(title, {testTitle}, SummaryStyle::Bold);
    summary.AddLine(
        "Всего заданий в тесте: %d. Вами выполнено заданий: %d.",
        {static_cast<long long>(record.TaskCount), static_cast<long long>(record.DoneCount)});
    if (showUserResult)
        AddUserResult(summary, record, figures);
    else
        summary.AddLine("Результаты тестирования Вы можете узнать у руководителя.", {},
                        SummaryStyle::BoldRed);
    summary.AddLine("Время начала: %s.", {figures.TimeBeginText});
    summary.AddLine("Время завершения: %s.", {figures.TimeEndText});
    summary.AddLine("Продолжительность: %s.", {figures.DurationText});
    return summary.Take();
}

} // namespace tevrix
