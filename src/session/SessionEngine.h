// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/RunCounter.h"
#include "config/Settings.h"
#include "frontend/DetailReport.h"
#include "frontend/EndSoundPlayer.h"
#include "frontend/ExclusiveWindow.h"
#include "frontend/ResultWindow.h"
#include "frontend/RunOutputView.h"
#include "frontend/SessionDialogs.h"
#include "frontend/SessionTimers.h"
#include "frontend/StatusBar.h"
#include "frontend/TaskArea.h"
#include "model/Task.h"
#include "model/Test.h"
#include "results/ResultTest.h"
#include "rules/AnswerEvaluation.h"
#include "rules/RandomSource.h"
#include "session/ProgramState.h"
#include "session/ResultOutputs.h"
#include "session/RunReporter.h"
#include "text/DateTime.h"
#include "text/TextLocale.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tevrix {

// The parts of the window and of the program that a run reaches.
struct SessionTargets {
    TaskArea& Area;
    SessionDialogs& Dialogs;
    SessionTimers& Timers;
    StatusBar& Status;
    ExclusiveWindow& Exclusive;
    RunReporter& Reporter;
    RunOutputView& OutputView;
    EndSoundPlayer& Sound;
    ResultWindow& Results;
    DetailReport& Report;
};

// What a run reads from the station.
struct SessionServices {
    const Settings& StationSettings; // read at each use, so changes apply at once
    RunCounter& Counter;
    RandomSource& Random;
    const Clock& Time;
    TextLocale Locale;
    std::string ProgramDir;   // the station's folder, ending with '/'
    std::string ComputerName; // as the result record keeps them
    std::string ComputerUserName;
    std::function<std::string()> NewRunId; // a new GUID text for each run
};

// The testing session of the main window: the open test, the program state
// and the run under way, from "Начать тест" to the outputs of the finished
// run. The window's actions, timers and closing call the operations below;
// the engine reaches the window only through SessionTargets.
//
// Re-entrancy. Timer ticks keep arriving while a modal window of the engine
// is open (a message, a viewer, a dialog), so a tick can come in the middle
// of another operation. The engine therefore runs its operations one at a
// time: while one is under way, the pupil's commands are ignored and a tick
// only counts its second and shows it; a task or test time-out that falls
// due meanwhile is taken as soon as the outermost operation has ended. A
// test time-out that falls due during a check ends the run right after that
// check instead of moving on. So no task is ever checked twice and a run is
// finished exactly once.
class SessionEngine {
public:
    SessionEngine(SessionTargets targets, SessionServices services);
    ~SessionEngine();
    SessionEngine(const SessionEngine&) = delete;
    SessionEngine& operator=(const SessionEngine&) = delete;

    ProgramState State() const { return m_state; }
    const TTest* Test() const { return m_test.get(); }
    const TTaskList& Tasks() const { return m_tasks; }
    // The record of the run under way; none outside a run.
    const TResultTest* Record() const { return m_record.get(); }
    // The graded record of the last finished run, until the next run starts.
    const TResultTest* LastResult() const { return m_lastResult.get(); }
    // The run's identifier; it stays after the run until the next start.
    const std::string& RunId() const { return m_runId; }
    bool ServerReportsOn() const { return m_serverReportsOn; }
    // True while an operation waits in a modal window.
    bool Busy() const { return m_depth > 0; }

    // A test file begins to load: the open test is freed and its folder
    // deleted (a failure is reported); no test is open meanwhile.
    void BeginLoadingTest();
    // A test was loaded: it becomes the open test (TestLoaded).
    void SetLoadedTest(std::unique_ptr<TTest> test, TTaskList tasks);

    // The pupil's commands; the window's actions and controls call them
    // ("Начать тест", "Дальше (проверить)", "Я не знаю...", "Пропустить...",
    // a position chosen in the task list, "Закончить тест", "Показать
    // подсказку", "Инструкция к тесту", "Закрыть тест").
    void BeginTest();
    void CheckTask();
    void DoNotKnow();
    void SkipTask();
    void GoToPosition(int position);
    void EndTest();
    void ViewPrompt();
    void ViewInstruction();
    void CloseTest();
    // Runs the window's viewer of the focused text area (F10, double click)
    // as an operation of the run, so that time-outs wait until it is closed.
    void ShowAreaOfFocus(const std::function<void()>& showViewer);
    // Closing the main window: false keeps it open. A run under way ends,
    // after the pupil confirms, as interrupted. The window then closes the
    // test (CloseTest), so that a folder that cannot be deleted is reported.
    bool CloseProgram();

    // The result log's lines of the program's start and close (written
    // when IsSaveResult is on).
    void LogProgramStart();
    void LogProgramClose();

    // The timers' ticks.
    void TaskTimerTick();
    void TestTimerTick();
    void ExclusiveTimerTick();

private:
    template <typename Operation> void RunOperation(Operation&& operation);
    void TakePendingTimeOuts();

    void StartRun();
    bool AskStartPassword();
    std::optional<IdentityFields> Identify();
    bool CheckRunLimit();
    void ShowTestInstruction();
    void CreateRecord(const IdentityFields& identity);
    void FillTaskList();
    void ReportRunBegin();

    void AskTask();
    std::vector<int32_t> NewVariantOrder(const TTask& task);
    std::optional<std::string> PromptCaption(const TTask& task) const;
    void ShowTaskPrice(const TTask& task);
    void ShowIntroduction(const TTask& task);
    void ShowPosition(int position);
    // Skipping and jumping: the task on screen stays unchecked and
    // `position` is shown instead.
    void LeaveTaskFor(int position);
    // Frees the open test and deletes its folder; a folder that could not be
    // deleted is reported with the system's words.
    void DiscardTest();

    void CheckAnswer(bool answered);
    void ShowRightAnswer(const TTask& task, const EnteredAnswer& entered,
                         const Evaluation& evaluation);
    void ReportProgress();
    void CheckAndMoveOn(bool answered);

    void TaskTimeOut();
    void TestTimeOut();
    void StopRun(RunEndReason reason, bool answered);
    void FinishRun();
    void ShowPrompt();
    void WithOutputs(const std::function<void(ResultOutputs&)>& use);

    void EnterExclusiveMode();
    void LeaveExclusiveMode();

    MessageReply Message(const std::string& text, const char* caption, MessageIcon icon,
                         MessageButtons buttons = MessageButtons::Ok);
    std::string Tr(const char* text) const { return m_services.Locale.Tr(text); }
    std::string TrFormat(const char* pattern, const std::vector<FormatArg>& args) const {
        return m_services.Locale.TrFormat(pattern, args);
    }
    // `pattern` translated with its "%d %s" filled by `points` and the word
    // for points that agrees with it ("Цена %d %s").
    std::string WithPoints(const char* pattern, int32_t points) const;
    bool ReportsAllowed() const;
    const TTask& CurrentTask() const;
    int CurrentTaskIndex() const;
    void SetTimePanel(StatusPanel panel, int32_t seconds, int32_t limit);

    SessionTargets m_targets;
    SessionServices m_services;
    ProgramState m_state = ProgramState::NoTest;
    std::unique_ptr<TTest> m_test;
    TTaskList m_tasks;
    std::unique_ptr<TResultTest> m_record;
    std::unique_ptr<TResultTest> m_lastResult;
    std::string m_runId;
    bool m_serverReportsOn = false;
    // The task on screen was checked (or there is none): nothing may check
    // it again.
    bool m_taskClosed = true;

    int m_depth = 0; // operations under way, nested
    bool m_testTimeOutPending = false;
    std::optional<int> m_taskTimeOutPending; // the position whose time ran out
};

} // namespace tevrix
