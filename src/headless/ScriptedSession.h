// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/RunCounter.h"
#include "config/Settings.h"
#include "headless/ModalReplies.h"
#include "headless/RunScript.h"
#include "headless/ScriptedDialogs.h"
#include "headless/ScriptedOutputs.h"
#include "headless/ScriptedServer.h"
#include "headless/ScriptedTaskArea.h"
#include "headless/Transcript.h"
#include "headless/VirtualTime.h"
#include "rules/RandomSource.h"
#include "session/SessionEngine.h"
#include "text/TextLocale.h"

#include <functional>
#include <memory>
#include <string>

namespace tevrix {

// The station a simulated run takes place on.
struct SimulationStation {
    Settings StationSettings;
    std::string
        ProgramDir; // ending with '/': the result files go here unless DirForResult says otherwise
    RunCounter& Counter;
    TextLocale Locale;
    std::string ComputerName;
    std::string ComputerUserName;
    bool ServerDown = false;
    // The random numbers; none: the script's seed, or the clock.
    RandomSource* Random = nullptr;
    // Makes the reporter that takes the run's server reports, given the
    // dialogs that show its messages; none: the reports go to the transcript.
    std::function<std::unique_ptr<RunReporter>(SessionDialogs&)> MakeReporter;
};

// A whole run without a screen: the real session engine, result outputs and
// settings, with a scripted pupil at a window that exists only in memory
// and in simulated time. What a real window would show goes to the
// transcript; the result files are written as the station writes them.
class ScriptedSession {
public:
    ScriptedSession(const RunScript& script, SimulationStation station);
    ScriptedSession(const ScriptedSession&) = delete;
    ScriptedSession& operator=(const ScriptedSession&) = delete;

    // The program starts (its start line goes to the result log) and opens
    // the test.
    void Open(std::unique_ptr<TTest> test, TTaskList tasks);
    // "Начать тест" with the script's password and identity; true when the
    // run started.
    bool Start();
    void Perform(const ScriptStep& step);
    // Starts the run and performs the steps while it is under way. Steps left
    // when it has ended are not performed; a run still under way after the
    // last step ends as the pupil closes the program.
    void RunToEnd();

    // The station's settings, as the settings dialog would change them.
    Settings& StationSettings() { return m_station.StationSettings; }
    SessionEngine& Engine() { return m_engine; }
    ScriptedTaskArea& Area() { return m_area; }
    VirtualTime& Time() { return m_time; }
    const Transcript& Log() const { return m_transcript; }
    bool ProgramClosed() const { return m_closed; }

private:
    static std::unique_ptr<RandomSource> MakeRandom(const RunScript& script);
    void CloseProgram();
    void Note(const std::string& text);

    const RunScript& m_script;
    SimulationStation m_station;
    Transcript m_transcript;
    VirtualTime m_time;
    ModalReplies m_replies;
    ScriptedDialogs m_dialogs;
    ScriptedTaskArea m_area;
    ScriptedServer m_server;
    std::unique_ptr<RunReporter> m_reporter; // from MakeReporter, when given
    ScriptedOutputs m_outputs;
    std::unique_ptr<RandomSource> m_ownRandom;
    SessionEngine m_engine;
    bool m_closed = false;
};

} // namespace tevrix
