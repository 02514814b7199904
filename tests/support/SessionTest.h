// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/RunCounter.h"
#include "config/Settings.h"
#include "headless/ScriptedSession.h"
#include "platform/Files.h"
#include "support/ScriptedRandom.h"
#include "support/TaskBuilders.h"
#include "support/TempFolder.h"
#include "text/Cp1251.h"
#include "text/DateTime.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tevrix::testing {

// 15 January 2025, 09:00:00.
inline double StartTime() {
    return EncodeOleDate({2025, 1, 15, 9, 0, 0, 0});
}

// A rich text as a test file holds it (Windows-1251 plain text).
inline RichText Rich(const std::string& utf8) {
    return RichText{Utf8ToCp1251(utf8)};
}

// A test of `count` one-choice tasks whose first variant is right, each
// worth `points`.
inline std::unique_ptr<TTest> NewTest(const std::string& tempRoot) {
    auto test = std::make_unique<TTest>(tempRoot);
    test->Title = "Проверка";
    test->UId = "{11111111-2222-3333-4444-555555555555}";
    test->FileName = "/tests/check.tvf";
    test->FileCrc = 0xCAFEBABE;
    return test;
}

inline TTaskList ChoiceTasks(int count, int points = 1) {
    TTaskList tasks;
    for (int i = 0; i < count; ++i) {
        TTask task = VariantTask(TaskKind::tkSingleChoice, {1, 0, 0}, points);
        task.Question = Rich("Вопрос " + std::to_string(i + 1));
        tasks.push_back(task);
    }
    return tasks;
}

inline ScriptStep Step(ScriptAction action, std::vector<ScriptReply> replies = {}) {
    ScriptStep step;
    step.Action = action;
    step.Replies = std::move(replies);
    return step;
}

inline ScriptStep AnswerChoice(int variant, std::vector<ScriptReply> replies = {}) {
    ScriptStep step = Step(ScriptAction::Answer, std::move(replies));
    step.Answer.Choice = variant;
    return step;
}

inline ScriptStep Wait(int seconds) {
    ScriptStep step = Step(ScriptAction::Wait);
    step.Seconds = seconds;
    return step;
}

inline ScriptStep Jump(int position) {
    ScriptStep step = Step(ScriptAction::Jump);
    step.Position = position;
    return step;
}

inline ScriptReply After(int seconds, std::optional<MessageReply> button = std::nullopt) {
    return {button, seconds};
}

// A station in a folder of its own, a script and a session on them.
class SessionTest : public ::testing::Test {
protected:
    SessionTest() {
        m_settings.DirForResult = m_folder.Path() + "results";
        std::filesystem::create_directory(m_settings.DirForResult);
        m_script.Start = StartTime();
        m_script.Name = "Иванов Иван";
        m_script.Group = "10 А";
    }

    // Opens `test` with `tasks` and returns the session, ready to start.
    ScriptedSession& Open(std::unique_ptr<TTest> test, TTaskList tasks) {
        m_session =
            std::make_unique<ScriptedSession>(m_script, SimulationStation{m_settings,
                                                                          m_folder.Path(),
                                                                          m_counter,
                                                                          TextLocale{{}, ','},
                                                                          "PC-1",
                                                                          "pupil",
                                                                          m_serverDown,
                                                                          &m_random,
                                                                          {}});
        m_session->Open(std::move(test), std::move(tasks));
        return *m_session;
    }
    ScriptedSession& Open(TTaskList tasks) {
        return Open(NewTest(m_folder.Path()), std::move(tasks));
    }

    // Opens, starts and performs the script's steps.
    ScriptedSession& Run(std::unique_ptr<TTest> test, TTaskList tasks) {
        ScriptedSession& session = Open(std::move(test), std::move(tasks));
        session.RunToEnd();
        return session;
    }

    const TResultTest& Result() {
        const TResultTest* result = m_session->Engine().LastResult();
        if (!result)
            throw std::runtime_error("no run finished");
        return *result;
    }

    // Texts of the transcript's events of one kind.
    std::vector<std::string> Texts(const std::string& kind) const {
        std::vector<std::string> texts;
        for (const TranscriptEvent& event : m_session->Log().OfKind(kind))
            texts.push_back(event.Text);
        return texts;
    }

    std::string ResultLogText() const {
        const std::vector<uint8_t> bytes =
            ReadFileBytes(m_settings.DirForResult + "/TevrixStudent_Result.txt");
        return Cp1251ToUtf8(std::string(bytes.begin(), bytes.end()));
    }

    TempFolder m_folder;
    Settings m_settings;
    RunCounter m_counter{UserStore(m_folder.Path() + "Student.ini"),
                         RebootMarkers(m_folder.Path() + "markers", "boot-1")};
    ScriptedRandom m_random;
    bool m_serverDown = false;
    RunScript m_script;
    std::unique_ptr<ScriptedSession> m_session;
};

} // namespace tevrix::testing
