// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/ScriptedSession.h"

#include "text/Guid.h"

namespace tevrix {

std::unique_ptr<RandomSource> ScriptedSession::MakeRandom(const RunScript& script) {
    if (script.Seed)
        return std::make_unique<SeededRandomSource>(*script.Seed);
    return std::make_unique<ClockRandomSource>();
}

ScriptedSession::ScriptedSession(const RunScript& script, SimulationStation station)
    : m_script(script),
      m_station(std::move(station)),
      m_time(script.Start.value_or(NowOleDate())),
      m_replies(m_time),
      m_dialogs(script, m_replies, m_transcript, m_station.Locale),
      m_area(m_transcript),
      m_server(m_transcript, m_station.ServerDown),
      m_reporter(m_station.MakeReporter ? m_station.MakeReporter(m_dialogs) : nullptr),
      m_outputs(m_replies, m_transcript),
      m_ownRandom(MakeRandom(script)),
      m_engine({m_area, m_dialogs, m_time, m_area, m_area,
                m_reporter ? *m_reporter : static_cast<RunReporter&>(m_server), m_dialogs,
                m_outputs, m_outputs, m_outputs},
               {m_station.StationSettings, m_station.Counter,
                m_station.Random ? *m_station.Random : *m_ownRandom, m_time, m_station.Locale,
                m_station.ProgramDir, m_station.ComputerName, m_station.ComputerUserName,
                NewGuidText}) {
    m_time.SetTickHandler([this](SessionTimer timer) {
        switch (timer) {
        case SessionTimer::TimerTask: m_engine.TaskTimerTick(); break;
        case SessionTimer::TimerTest: m_engine.TestTimerTick(); break;
        case SessionTimer::TimerModeMono: m_engine.ExclusiveTimerTick(); break;
        }
    });
}

void ScriptedSession::Open(std::unique_ptr<TTest> test, TTaskList tasks) {
    // The program's own start line, written where the window writes it.
    m_engine.LogProgramStart();
    m_engine.BeginLoadingTest();
    m_engine.SetLoadedTest(std::move(test), std::move(tasks));
}

bool ScriptedSession::Start() {
    m_replies.BeginStep(m_script.StartReplies, false);
    m_engine.BeginTest();
    return m_engine.State() == ProgramState::TestRunning;
}

void ScriptedSession::Perform(const ScriptStep& step) {
    const bool ownQuestion = step.Action == ScriptAction::Stop ||
                             step.Action == ScriptAction::Close ||
                             step.Action == ScriptAction::Prompt;
    m_replies.BeginStep(step.Replies, ownQuestion);
    switch (step.Action) {
    case ScriptAction::Answer:
        m_area.Enter(step.Answer);
        m_engine.CheckTask();
        break;
    case ScriptAction::Enter: m_area.Enter(step.Answer); break;
    case ScriptAction::Check: m_engine.CheckTask(); break;
    case ScriptAction::IDoNotKnow: m_engine.DoNotKnow(); break;
    case ScriptAction::Skip: m_engine.SkipTask(); break;
    case ScriptAction::Jump: m_engine.GoToPosition(step.Position - 1); break;
    case ScriptAction::Prompt: m_engine.ViewPrompt(); break;
    case ScriptAction::Instruction: m_engine.ViewInstruction(); break;
    case ScriptAction::Wait: m_time.Advance(int64_t(step.Seconds) * 1000); break;
    case ScriptAction::Stop: m_engine.EndTest(); break;
    case ScriptAction::Close: CloseProgram(); break;
    }
}

void ScriptedSession::CloseProgram() {
    if (!m_engine.CloseProgram())
        return;
    m_engine.CloseTest();
    m_engine.LogProgramClose();
    m_closed = true;
    Note("the program was closed");
}

void ScriptedSession::Note(const std::string& text) {
    m_transcript.Add({"note", "", text, ""});
}

void ScriptedSession::RunToEnd() {
    if (!Start()) {
        Note("the run did not start");
        return;
    }
    size_t performed = 0;
    for (const ScriptStep& step : m_script.Steps) {
        if (m_engine.State() != ProgramState::TestRunning || m_closed)
            break;
        Perform(step);
        ++performed;
    }
    if (performed < m_script.Steps.size())
        Note(std::to_string(m_script.Steps.size() - performed) +
             " steps left when the run had ended");
    if (m_engine.State() == ProgramState::TestRunning) {
        Note("the script ended during the run: the pupil closes the program");
        Perform({ScriptAction::Close, {}, 0, 0, {}});
    }
}

} // namespace tevrix
