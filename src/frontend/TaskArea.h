// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Task.h"
#include "rules/EnteredAnswer.h"
#include "rules/RightAnswer.h"
#include "text/Translate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tevrix {

// Everything the window needs to put a task on screen.
struct TaskPresentation {
    const TTask& Task;
    std::string Header;                       // "Вопрос # %d из %d:"
    std::string PicturePath;                  // the question picture; empty: none
    std::string MediaPath;                    // the sound or video; empty: none
    std::optional<std::string> PromptCaption; // set when the task has a prompt
    std::vector<int32_t> VariantOrder;        // slot -> variant or number
    bool ShowTaskList = false;                // the task list panel (tests that allow skipping)
};

// What the question area shows while no test is open.
inline constexpr const char* kMsgChooseATest = N_("Для начала работы выберите тест!...");

// The picture of an item of the task list.
enum class TaskListImage {
    NotShown = 0,
    Shown = 1,
    Checked = 2,
};

// The task area of the main window, as the session engine uses it.
class TaskArea {
public:
    virtual ~TaskArea() = default;

    // The idle state: variants disabled, everything else hidden, the actions
    // of a run hidden and the task list hidden.
    virtual void ResetTaskArea() = 0;
    // No test open: the question text area shows "Для начала работы
    // выберите тест!..." at the current zoom.
    virtual void ShowNoTestText() = 0;
    // Closes the enlarged picture, lays the area out for the task's kind and,
    // with redrawing suspended, writes the header and question, loads the
    // media and picture, sets up the prompt button, fills the area in
    // VariantOrder, writes the prompt line and applies the zoom. The check
    // action is disabled until the pupil touches the answer.
    virtual void ShowTask(const TaskPresentation& presentation) = 0;
    // What the pupil has entered for the task on screen.
    virtual EnteredAnswer ReadAnswer(const TTask& task) = 0;
    // Closes the enlarged picture, releases the question picture and closes
    // the task's media.
    virtual void CloseTaskFiles() = 0;
    // Marks and colours of the right answer (and the areas of a point task).
    virtual void ShowRightAnswer(const RightAnswerView& view) = 0;
    // After the right-answer message: colours back to normal, the question
    // picture released again, the point marker hidden; marks stay.
    virtual void ClearRightAnswer() = 0;

    // "Я не знаю..." and "Пропустить...": enabled and visible, or neither.
    virtual void SetRunActions(bool iDoNotKnow, bool skipping) = 0;
    // The progress bar of asked tasks.
    virtual void SetProgress(int maximum, int position) = 0;
    // The task list: one item per position, each with image NotShown.
    virtual void SetTaskList(const std::vector<std::string>& items) = 0;
    virtual void SetTaskListImage(int position, TaskListImage image) = 0;
    // Leaves no item chosen.
    virtual void ClearTaskListSelection() = 0;
};

} // namespace tevrix
