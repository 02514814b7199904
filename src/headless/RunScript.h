// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/SessionDialogs.h"
#include "model/Task.h"
#include "rules/EnteredAnswer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tevrix {

// An answer as a script gives it: per variant or number of the task in the
// task's own order (not in the order shown), so that it holds whatever order
// the run shows. Only the member of the task's kind is read.
struct ScriptedAnswer {
    std::optional<int> Choice;        // kind 1: the variant chosen
    std::vector<int> Ticked;          // kind 2: the variants ticked
    std::vector<int> Entries;         // kinds 3 to 5: per variant the list entry, or kNoEntry
    std::vector<std::string> Numbers; // kind 6: per number the text typed
    std::string Text;                 // kinds 7 and 9: the text typed, the word composed
    std::optional<PointAnswer::Point> Point; // kind 8: the point placed

    // The same answer as the answer area holds it, for the slots of
    // `variantOrder`.
    EnteredAnswer ToEntered(const TTask& task, const std::vector<int32_t>& variantOrder) const;
};

enum class ScriptAction {
    Answer,      // enter the answer and press "Дальше (проверить)"
    Enter,       // only enter the answer
    Check,       // only press "Дальше (проверить)"
    IDoNotKnow,  // "Я не знаю..."
    Skip,        // "Пропустить..."
    Jump,        // choose a position in the task list
    Prompt,      // "Показать подсказку"
    Instruction, // "Инструкция к тесту"
    Wait,        // let seconds pass
    Stop,        // "Закончить тест"
    Close,       // close the program
};

// How the pupil closes one modal window (message box, viewer, dialog): the
// button, after letting some seconds pass while it is open.
struct ScriptReply {
    std::optional<MessageReply> Button; // none: the step's default
    int Seconds = 0;
};

struct ScriptStep {
    ScriptAction Action = ScriptAction::Wait;
    ScriptedAnswer Answer; // Answer, Enter
    int Position = 0;      // Jump: counted from 1
    int Seconds = 0;       // Wait
    // Taken in turn by the modal windows that open during the step. When
    // they run out a window closes at once: a Yes/No box asking to stop, to
    // close or to view the prompt is answered Yes by the step that asked for
    // it, every other one No.
    std::vector<ScriptReply> Replies;
};

// A whole run as a pupil would take it.
struct RunScript {
    std::optional<double> Start;         // the clock at the start (OLE date); none: now
    std::optional<uint32_t> Seed;        // fixes the random orders
    std::optional<std::string> Password; // typed when a start password is asked; none: cancel
    std::optional<std::string> Name;     // typed into the identification dialog; none: kept
    std::optional<std::string> Group;
    bool Identify = true;                  // false: the dialog is closed without OK
    std::vector<ScriptReply> StartReplies; // for the modal windows before the first step
    std::vector<ScriptStep> Steps;
};

} // namespace tevrix
