// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionEngine.h"

#include "base/Numbers.h"
#include "model/TestLoader.h"
#include "platform/Paths.h"
#include "results/Grading.h"
#include "results/ResultMessage.h"
#include "richtext/RichToPlain.h"
#include "rules/Navigation.h"
#include "rules/PointsWord.h"
#include "rules/RightAnswer.h"
#include "rules/Scoring.h"
#include "rules/TaskSelection.h"
#include "session/SettingsMapping.h"
#include "text/Format.h"
#include "text/Strings.h"

#include <algorithm>
#include <numeric>

namespace tevrix {
namespace {

constexpr const char* kCaptionTevrix = "Tevrix";
constexpr const char* kCaptionAttention = N_("Внимание!");
constexpr const char* kCaptionTestRunning = N_("Внимание! Идет тест...");
constexpr const char* kMsgNoTasks = N_("В тесте нет заданий для выполнения.");

// Hands the RESULT report of the outputs to the run's reporter together with
// the run's identifier and the test's result key.
class RunResultReporter final : public ResultReporter {
public:
    RunResultReporter(RunReporter& reporter, std::string runId, std::string resultKey)
        : m_reporter(reporter), m_runId(std::move(runId)), m_resultKey(std::move(resultKey)) {}

    void ReportResult(const TResultTest& record) override {
        m_reporter.ReportResult(m_runId, m_resultKey, record);
    }

private:
    RunReporter& m_reporter;
    std::string m_runId;
    std::string m_resultKey;
};

FormatArg Number(long long value) {
    return value;
}

} // namespace

SessionEngine::SessionEngine(SessionTargets targets, SessionServices services)
    : m_targets(targets), m_services(std::move(services)) {}

SessionEngine::~SessionEngine() = default;

// ---------------------------------------------------------------------------
// Operations one at a time

template <typename Operation> void SessionEngine::RunOperation(Operation&& operation) {
    struct Depth {
        int& Value;
        explicit Depth(int& value) : Value(value) { ++Value; }
        ~Depth() { --Value; }
    };
    {
        const Depth depth(m_depth);
        operation();
    }
    if (m_depth == 0)
        TakePendingTimeOuts();
}

void SessionEngine::TakePendingTimeOuts() {
    if (m_testTimeOutPending) {
        m_testTimeOutPending = false;
        m_taskTimeOutPending.reset();
        if (m_state == ProgramState::TestRunning)
            RunOperation([this] { TestTimeOut(); });
        return;
    }
    if (!m_taskTimeOutPending)
        return;
    const int position = *m_taskTimeOutPending;
    m_taskTimeOutPending.reset();
    if (m_state == ProgramState::TestRunning && !m_taskClosed &&
        m_record->CurrentPosition == position)
        RunOperation([this] { TaskTimeOut(); });
}

// ---------------------------------------------------------------------------
// The open test

void SessionEngine::BeginLoadingTest() {
    if (Busy() || m_state == ProgramState::TestRunning)
        return;
    m_state = ProgramState::NoTest;
    RunOperation([this] { DiscardTest(); });
}

void SessionEngine::SetLoadedTest(std::unique_ptr<TTest> test, TTaskList tasks) {
    if (Busy() || m_state == ProgramState::TestRunning || !test)
        return;
    m_test = std::move(test);
    m_tasks = std::move(tasks);
    m_state = ProgramState::TestLoaded;
}

void SessionEngine::CloseTest() {
    if (Busy() || m_state != ProgramState::TestLoaded)
        return;
    RunOperation([this] {
        m_state = ProgramState::NoTest;
        m_targets.Area.CloseTaskFiles();
        DiscardTest();
        m_targets.Area.ShowNoTestText();
    });
}

void SessionEngine::DiscardTest() {
    const Outcome deleted = m_test ? m_test->DeleteTempDir() : Outcome();
    m_test.reset();
    m_tasks.clear();
    if (deleted.Message())
        m_targets.Dialogs.ShowMessageBox(
            {deleted.MessageText(), "", MessageIcon::None, MessageButtons::Ok});
}

void SessionEngine::ViewInstruction() {
    if (Busy() || m_state == ProgramState::NoTest || m_test->Instruction.Empty())
        return;
    RunOperation([this] { ShowTestInstruction(); });
}

void SessionEngine::ShowTestInstruction() {
    if (m_test->Instruction.Empty())
        return;
    m_targets.Dialogs.ShowTextViewer(m_test->Instruction,
                                     TrFormat("Инструкция к тесту \"%s\"", {m_test->Title}));
}

// ---------------------------------------------------------------------------
// Starting a run

void SessionEngine::BeginTest() {
    if (Busy() || m_state != ProgramState::TestLoaded)
        return;
    RunOperation([this] { StartRun(); });
}

void SessionEngine::StartRun() {
    if (!AskStartPassword())
        return;
    const std::optional<IdentityFields> identity = Identify();
    if (!identity || !CheckRunLimit())
        return;
    ShowTestInstruction();

    std::vector<int32_t> order = BuildTaskOrder(*m_test, m_tasks, m_services.Random);
    if (order.empty()) {
        Message(Tr(kMsgNoTasks), kCaptionError, MessageIcon::Error);
        return;
    }
    CreateRecord(*identity);
    TResultTest& record = *m_record;
    record.TaskOrder = std::move(order);
    record.TaskCount = int32_t(record.TaskOrder.size());
    const int64_t maxScore =
        std::accumulate(record.TaskOrder.begin(), record.TaskOrder.end(), int64_t(0),
                        [this](int64_t sum, int32_t task) { return sum + m_tasks[task].Points; });
    record.MaxScore = ClampToInt32(maxScore);
    FillTaskList();

    m_runId = m_services.NewRunId();
    m_serverReportsOn = true;
    WithOutputs([this](ResultOutputs& outputs) { outputs.LogRunStart(m_test->Title); });
    ReportRunBegin();
    m_targets.Area.SetProgress(record.TaskCount, 0);
    m_targets.Area.SetRunActions(m_test->PenalizeWrong, m_test->AllowSkip);
    record.TimeBegin = m_services.Time.Now();
    m_state = ProgramState::TestRunning;
    m_targets.Timers.StartTimer(SessionTimer::TimerTest);
    ShowPosition(0);
    if (m_test->ExclusiveMode)
        EnterExclusiveMode();
}

bool SessionEngine::AskStartPassword() {
    if (m_test->StartPassword.empty())
        return true;
    const std::optional<std::string> entered = m_targets.Dialogs.AskPassword();
    if (!entered)
        return false;
    if (*entered == m_test->StartPassword)
        return true;
    Message(Tr(kMsgWrongPassword), kCaptionError, MessageIcon::Error);
    return false;
}

std::optional<IdentityFields> SessionEngine::Identify() {
    const Settings& settings = m_services.StationSettings;
    const IdentityFields current = m_targets.Dialogs.CurrentIdentity();
    IdentificationSetup setup;
    setup.Fields.Name =
        current.Name.empty() || !settings.IsSaveLastUser ? settings.DefaultUserName : current.Name;
    setup.Fields.Group = current.Group.empty() || !settings.IsSaveLastUser
                             ? settings.DefaultUserGroup
                             : current.Group;
    setup.TitleUserName = settings.TitleUserName;
    setup.TitleUserGroup = settings.TitleUserGroup;
    setup.Patterns = {settings.UserNameExpression, settings.UserGroupExpression,
                      settings.UserNameExample, settings.UserGroupExample};
    if (!m_targets.Dialogs.ShowIdentification(setup))
        return std::nullopt;
    const IdentityFields entered = m_targets.Dialogs.CurrentIdentity();
    IdentityFields identity{Trim(entered.Name), Trim(entered.Group)};
    if (identity.Name.empty())
        return std::nullopt;
    return identity;
}

bool SessionEngine::CheckRunLimit() {
    if (m_test->MaxRuns <= 0)
        return true;
    const Outcome check =
        m_services.Counter.CheckRunLimit(m_test->UId, m_test->MaxRuns, m_services.Locale);
    if (check.Ok())
        return true;
    const PupilMessage& refusal = *check.Message();
    m_targets.Dialogs.ShowMessageBox(
        {refusal.Text, refusal.Caption, refusal.Icon, MessageButtons::Ok});
    return false;
}

void SessionEngine::CreateRecord(const IdentityFields& identity) {
    m_lastResult.reset();
    m_record = std::make_unique<TResultTest>(TResultTest::Create(int(m_tasks.size())));
    TResultTest& record = *m_record;
    record.UserName = identity.Name;
    record.UserGroup = identity.Group;
    record.TestFileName = m_test->FileName;
    record.TestFileCRC = m_test->FileCrc;
    record.TestUId = m_test->UId;
    record.TestTitle = m_test->Title;
    record.ComputerName = m_services.ComputerName;
    record.ComputerUserName = m_services.ComputerUserName;
}

void SessionEngine::FillTaskList() {
    std::vector<std::string> items;
    if (m_test->AllowSkip) {
        TResultTest& record = *m_record;
        record.PositionStates.assign(record.TaskOrder.size(), kPositionNeverShown);
        for (size_t position = 0; position < record.TaskOrder.size(); ++position)
            items.push_back(Format(
                "%d) %s",
                {Number(position + 1), RichToPlain(m_tasks[record.TaskOrder[position]].Question)},
                m_services.Locale.DecimalSeparator));
    }
    m_targets.Area.SetTaskList(items);
}

bool SessionEngine::ReportsAllowed() const {
    return m_services.StationSettings.IsSendResult && m_test->ReportToServer;
}

void SessionEngine::ReportRunBegin() {
    if (ReportsAllowed() && !m_targets.Reporter.ReportRunBegin(m_runId, *m_record))
        m_serverReportsOn = false;
}

// ---------------------------------------------------------------------------
// Showing a task

const TTask& SessionEngine::CurrentTask() const {
    return m_tasks[CurrentTaskIndex()];
}

int SessionEngine::CurrentTaskIndex() const {
    return m_record->TaskOrder[m_record->CurrentPosition];
}

void SessionEngine::ShowPosition(int position) {
    m_record->CurrentPosition = position;
    AskTask();
}

void SessionEngine::AskTask() {
    if (m_state != ProgramState::TestRunning)
        return;
    TResultTest& record = *m_record;
    ++record.DoneCount;
    const int position = record.CurrentPosition;
    if (m_test->AllowSkip) {
        record.PositionStates[position] = kPositionShown;
        m_targets.Area.SetTaskListImage(position, TaskListImage::Shown);
    }
    const TTask& task = CurrentTask();
    if (IsVariantKind(task.Kind) || task.Kind == TaskKind::tkNumberInput)
        record.VariantOrder = NewVariantOrder(task);
    m_taskClosed = false;

    const auto fileOf = [this](const std::string& name) {
        return IsPlainFileName(name) ? m_test->TempDir + name : std::string();
    };
    m_targets.Area.ShowTask(
        {task, TrFormat("Вопрос # %d из %d:", {Number(position + 1), Number(record.TaskCount)}),
         fileOf(task.PictureFile), fileOf(task.MediaFile), PromptCaption(task), record.VariantOrder,
         m_test->AllowSkip});
    ShowTaskPrice(task);
    m_targets.Timers.StartTimer(SessionTimer::TimerTask);
    TaskTimerTick();
    m_targets.Area.SetProgress(record.TaskCount, record.DoneCount);
    ShowIntroduction(task);
}

std::vector<int32_t> SessionEngine::NewVariantOrder(const TTask& task) {
    const int count = IsVariantKind(task.Kind)
                          ? task.VariantCount()
                          : std::min<int>(task.NumberCount, int(TTask::kNumberSlotCount));
    std::vector<int32_t> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    if (m_test->RandomVariantOrder)
        ShuffleIndexes(order, m_services.Random);
    return order;
}

std::optional<std::string> SessionEngine::PromptCaption(const TTask& task) const {
    if (task.Prompt.Empty())
        return std::nullopt;
    const int32_t penalty = task.PromptPenalty;
    if (penalty <= 0)
        return Tr("Показать подсказку?");
    return WithPoints("Показать подсказку? Штраф %d %s.", penalty);
}

std::string SessionEngine::WithPoints(const char* pattern, int32_t points) const {
    return TrFormat(pattern, {Number(points), PointsWord(points, m_services.Locale)});
}

void SessionEngine::ShowTaskPrice(const TTask& task) {
    m_targets.Status.SetStatusPanel(StatusPanel::Price, WithPoints("Цена %d %s", task.Points),
                                    PanelDrawing::Plain);
}

void SessionEngine::ShowIntroduction(const TTask& task) {
    if (m_test->ShowCorrectAnswer && !task.Introduction.Empty())
        m_targets.Dialogs.ShowTextViewer(task.Introduction, Tr("Вступление к заданию"));
}

// ---------------------------------------------------------------------------
// Checking and moving on

void SessionEngine::CheckTask() {
    if (Busy() || m_state != ProgramState::TestRunning || m_taskClosed)
        return;
    RunOperation([this] { CheckAndMoveOn(true); });
}

void SessionEngine::DoNotKnow() {
    if (Busy() || m_state != ProgramState::TestRunning || m_taskClosed || !m_test->PenalizeWrong)
        return;
    RunOperation([this] { CheckAndMoveOn(false); });
}

void SessionEngine::CheckAndMoveOn(bool answered) {
    CheckAnswer(answered);
    // A test time-out that fell due during the check ends the run instead.
    if (m_state != ProgramState::TestRunning || m_testTimeOutPending)
        return;
    const TResultTest& record = *m_record;
    const std::optional<int> next =
        NextUncheckedPosition(record.CurrentPosition, record.TaskCount, record.PositionStates);
    if (next) {
        ShowPosition(*next);
        return;
    }
    m_record->EndReason = RunEndReason::Finished;
    FinishRun();
}

void SessionEngine::CheckAnswer(bool answered) {
    if (m_state != ProgramState::TestRunning || m_taskClosed)
        return;
    m_taskClosed = true;
    m_targets.Timers.StopTimer(SessionTimer::TimerTask);
    m_targets.Area.CloseTaskFiles();
    TResultTest& record = *m_record;
    const int position = record.CurrentPosition;
    if (m_test->AllowSkip)
        record.PositionStates[position] = kPositionChecked;

    const TTask& task = CurrentTask();
    const EnteredAnswer entered = m_targets.Area.ReadAnswer(task);
    const Evaluation evaluation =
        EvaluateAnswer(task, record.VariantOrder, entered, m_services.Locale);
    ScoreCheck(record, *m_test, task, CurrentTaskIndex(),
               answered ? std::optional<Evaluation>(evaluation) : std::nullopt);
    if (!(answered && evaluation.AllRight) && m_test->ShowCorrectAnswer)
        ShowRightAnswer(task, entered, evaluation);
    if (m_test->AllowSkip)
        m_targets.Area.SetTaskListImage(position, TaskListImage::Checked);
    ReportProgress();
}

void SessionEngine::ShowRightAnswer(const TTask& task, const EnteredAnswer& entered,
                                    const Evaluation& evaluation) {
    const RightAnswerView view =
        DescribeRightAnswer(task, m_record->VariantOrder, entered, evaluation,
                            AnswerColorsOf(m_services.StationSettings), m_services.Locale);
    m_targets.Area.ShowRightAnswer(view);
    if (task.Explanation.Empty()) {
        Message(view.Message, kCaptionTevrix, MessageIcon::Information);
    } else if (Message(view.Message + "\r\n" + Tr("Показать пояснения?"), kCaptionTevrix,
                       MessageIcon::Information, MessageButtons::YesNo) == MessageReply::Yes) {
        m_targets.Dialogs.ShowTextViewer(task.Explanation, Tr("Пояснение к ответу"));
    }
    m_targets.Area.ClearRightAnswer();
}

void SessionEngine::ReportProgress() {
    if (ReportsAllowed() && m_serverReportsOn &&
        !m_targets.Reporter.ReportProgress(m_runId, m_test->ServerProgressFlag, *m_record))
        m_serverReportsOn = false;
}

// ---------------------------------------------------------------------------
// Skipping and jumping

void SessionEngine::SkipTask() {
    if (Busy() || m_state != ProgramState::TestRunning || !m_test->AllowSkip || m_taskClosed)
        return;
    const std::optional<int> target =
        SkipTargetPosition(m_record->CurrentPosition, m_record->PositionStates);
    if (!target)
        return;
    LeaveTaskFor(*target);
}

void SessionEngine::GoToPosition(int position) {
    if (Busy() || m_state != ProgramState::TestRunning || !m_test->AllowSkip)
        return;
    const TResultTest& record = *m_record;
    const bool jumps = position >= 0 && position < record.TaskCount &&
                       position != record.CurrentPosition &&
                       record.PositionStates[position] < kPositionChecked;
    if (jumps)
        LeaveTaskFor(position);
    m_targets.Area.ClearTaskListSelection();
}

void SessionEngine::LeaveTaskFor(int position) {
    // The task left unchecked was counted as done when it was shown.
    RunOperation([this, position] {
        --m_record->DoneCount;
        ShowPosition(position);
    });
}

// ---------------------------------------------------------------------------
// Prompt and viewers

void SessionEngine::ViewPrompt() {
    if (Busy() || m_state != ProgramState::TestRunning || m_taskClosed ||
        CurrentTask().Prompt.Empty())
        return;
    RunOperation([this] { ShowPrompt(); });
}

void SessionEngine::ShowPrompt() {
    const TTask& task = CurrentTask();
    const int index = CurrentTaskIndex();
    const int32_t penalty = task.PromptPenalty;
    if (penalty != 0 && m_record->GetPenaltyMask(index) < 0) {
        std::string question = Tr("Показать подсказку?");
        if (penalty > 0)
            question += "\r\n" + WithPoints("Штраф %d %s.", penalty);
        if (Message(question, kCaptionTevrix, MessageIcon::Question, MessageButtons::YesNo) !=
            MessageReply::Yes)
            return;
    }
    m_record->SetPenaltyMask(index, penalty);
    m_targets.Dialogs.ShowTextViewer(task.Prompt, Tr("Подсказка к заданию..."));
}

void SessionEngine::ShowAreaOfFocus(const std::function<void()>& showViewer) {
    if (Busy() || m_state != ProgramState::TestRunning)
        return;
    RunOperation(showViewer);
}

// ---------------------------------------------------------------------------
// Time limits

void SessionEngine::SetTimePanel(StatusPanel panel, int32_t seconds, int32_t limit) {
    const int32_t rest = limit - seconds;
    m_targets.Status.SetStatusPanel(panel, FormatSecondsAsTime(std::max(rest, 0)),
                                    rest > 9 ? PanelDrawing::Plain : PanelDrawing::Red);
}

void SessionEngine::TaskTimerTick() {
    if (m_state != ProgramState::TestRunning || m_taskClosed)
        return;
    const int index = CurrentTaskIndex();
    const int32_t seconds = m_record->GetTimeMask(index) + 1;
    m_record->SetTimeMask(index, seconds);
    m_targets.Status.SetStatusPanel(StatusPanel::TaskTime, FormatSecondsAsTime(seconds),
                                    PanelDrawing::Plain);
    const int32_t limit = CurrentTask().TimeLimit;
    if (limit <= 0) {
        m_targets.Status.SetStatusPanel(StatusPanel::TaskTimeLeft, "", PanelDrawing::Plain);
        return;
    }
    SetTimePanel(StatusPanel::TaskTimeLeft, seconds, limit);
    if (seconds < limit)
        return;
    m_targets.Timers.StopTimer(SessionTimer::TimerTask);
    if (Busy())
        m_taskTimeOutPending = m_record->CurrentPosition;
    else
        RunOperation([this] { TaskTimeOut(); });
}

void SessionEngine::TaskTimeOut() {
    Message(Tr("Время обдумывания задания вышло!"), kCaptionAttention, MessageIcon::Exclamation);
    CheckAndMoveOn(true);
}

void SessionEngine::TestTimerTick() {
    if (m_state != ProgramState::TestRunning)
        return;
    m_record->IncDuration();
    const int32_t duration = m_record->Duration;
    m_targets.Status.SetStatusPanel(StatusPanel::RunTime, FormatSecondsAsTime(duration),
                                    PanelDrawing::Plain);
    const int32_t limit = m_test->TestTimeLimit;
    if (limit <= 0)
        return;
    SetTimePanel(StatusPanel::TestTimeLeft, duration, limit);
    if (duration < limit)
        return;
    m_targets.Timers.StopTimer(SessionTimer::TimerTest);
    if (Busy())
        m_testTimeOutPending = true;
    else
        RunOperation([this] { TestTimeOut(); });
}

void SessionEngine::TestTimeOut() {
    CheckAnswer(true);
    m_record->EndReason = RunEndReason::TimeOut;
    Message(Tr("Время теста вышло!"), kCaptionAttention, MessageIcon::Exclamation);
    FinishRun();
}

// ---------------------------------------------------------------------------
// Ending a run

void SessionEngine::EndTest() {
    if (Busy() || m_state != ProgramState::TestRunning)
        return;
    RunOperation([this] {
        if (Message(Tr("Вы желаете остановить тест?"), kCaptionTestRunning, MessageIcon::Question,
                    MessageButtons::YesNo) != MessageReply::Yes)
            return;
        if (!m_testTimeOutPending)
            StopRun(RunEndReason::Stopped, true);
    });
}

bool SessionEngine::CloseProgram() {
    if (Busy())
        return false;
    if (m_state != ProgramState::TestRunning)
        return true;
    bool close = false;
    RunOperation([this, &close] {
        if (Message(Tr("Вы желаете выйти из программы во время теста?"), kCaptionTestRunning,
                    MessageIcon::Question, MessageButtons::YesNo) != MessageReply::Yes)
            return;
        close = true;
        if (!m_testTimeOutPending)
            StopRun(RunEndReason::ProgramClosed, false);
    });
    return close;
}

void SessionEngine::StopRun(RunEndReason reason, bool answered) {
    m_record->EndReason = reason;
    m_targets.Timers.StopTimer(SessionTimer::TimerTask);
    CheckAnswer(answered);
    FinishRun();
}

void SessionEngine::FinishRun() {
    m_state = ProgramState::TestLoaded;
    m_targets.Timers.StopTimer(SessionTimer::TimerTest);
    const double now = m_services.Time.Now();
    m_targets.Area.ResetTaskArea();
    GradeResult(*m_record, m_test->Marks, m_test->MinAnsweredPercent, now,
                Tr(kUnavailableMarkName));
    WithOutputs(
        [this](ResultOutputs& outputs) { outputs.ProduceRunOutputs(*m_record, *m_test, m_tasks); });
    m_lastResult = std::move(m_record);
    if (m_test->ExclusiveMode)
        LeaveExclusiveMode();
}

void SessionEngine::LogProgramStart() {
    WithOutputs([](ResultOutputs& outputs) { outputs.LogProgramStart(); });
}

void SessionEngine::LogProgramClose() {
    WithOutputs([](ResultOutputs& outputs) { outputs.LogProgramClose(); });
}

void SessionEngine::WithOutputs(const std::function<void(ResultOutputs&)>& use) {
    RunResultReporter reporter(m_targets.Reporter, m_runId,
                               m_test ? m_test->ResultKey : std::string());
    ResultOutputs outputs(
        ResultOutputSettingsOf(m_services.StationSettings, m_services.ProgramDir),
        m_services.Locale, m_services.Time,
        {m_targets.OutputView, m_targets.Sound, reporter, m_targets.Results, m_targets.Report});
    use(outputs);
}

// ---------------------------------------------------------------------------
// Exclusive mode

void SessionEngine::EnterExclusiveMode() {
    m_targets.Exclusive.SaveWindowPlacement();
    m_targets.Exclusive.CoverScreen();
    m_targets.Timers.StartTimer(SessionTimer::TimerModeMono);
}

void SessionEngine::ExclusiveTimerTick() {
    m_targets.Exclusive.HoldExclusiveMode();
}

void SessionEngine::LeaveExclusiveMode() {
    m_targets.Timers.StopTimer(SessionTimer::TimerModeMono);
    m_targets.Exclusive.RestoreWindowPlacement();
}

// ---------------------------------------------------------------------------

MessageReply SessionEngine::Message(const std::string& text, const char* caption, MessageIcon icon,
                                    MessageButtons buttons) {
    return m_targets.Dialogs.ShowMessageBox({text, Tr(caption), icon, buttons});
}

} // namespace tevrix
