// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/ExclusiveWindow.h"
#include "frontend/StatusBar.h"
#include "frontend/TaskArea.h"
#include "headless/RunScript.h"
#include "headless/Transcript.h"

#include <map>
#include <optional>

namespace tevrix {

// The task area, status panels and exclusive mode of a window without a
// screen. The scripted pupil enters answers into it; the task shows and
// right answers are written to the transcript, the panels kept.
class ScriptedTaskArea final : public TaskArea, public StatusBar, public ExclusiveWindow {
public:
    explicit ScriptedTaskArea(Transcript& transcript) : m_transcript(transcript) {}

    // The pupil fills the answer form of the task on screen.
    void Enter(const ScriptedAnswer& answer);

    void ResetTaskArea() override;
    void ShowNoTestText() override;
    void ShowTask(const TaskPresentation& presentation) override;
    EnteredAnswer ReadAnswer(const TTask& task) override;
    void CloseTaskFiles() override {}
    void ShowRightAnswer(const RightAnswerView& view) override;
    void ClearRightAnswer() override {}
    void SetRunActions(bool iDoNotKnow, bool skipping) override;
    void SetProgress(int maximum, int position) override;
    void SetTaskList(const std::vector<std::string>& items) override { m_taskList = items; }
    void SetTaskListImage(int position, TaskListImage image) override;
    void ClearTaskListSelection() override {}

    void SetStatusPanel(StatusPanel panel, const std::string& text, PanelDrawing drawing) override;

    void SaveWindowPlacement() override;
    void CoverScreen() override;
    void HoldExclusiveMode() override { ++m_holdTicks; }
    void RestoreWindowPlacement() override;

    struct PanelState {
        std::string Text;
        PanelDrawing Drawing = PanelDrawing::Plain;
    };
    PanelState Panel(StatusPanel panel) const;
    const std::vector<std::string>& TaskList() const { return m_taskList; }
    const std::vector<TaskListImage>& TaskListImages() const { return m_taskListImages; }
    bool IDoNotKnowShown() const { return m_iDoNotKnow; }
    bool SkippingShown() const { return m_skipping; }
    int ProgressMaximum() const { return m_progressMaximum; }
    int ProgressPosition() const { return m_progressPosition; }
    int HoldTicks() const { return m_holdTicks; }
    bool CoversScreen() const { return m_coversScreen; }
    const std::vector<int32_t>& VariantOrder() const { return m_variantOrder; }
    const std::optional<std::string>& PromptCaption() const { return m_promptCaption; }

private:
    Transcript& m_transcript;
    std::vector<int32_t> m_variantOrder;
    std::optional<std::string> m_promptCaption;
    std::optional<ScriptedAnswer> m_entered;
    std::map<StatusPanel, PanelState> m_panels;
    std::vector<std::string> m_taskList;
    std::vector<TaskListImage> m_taskListImages;
    bool m_iDoNotKnow = false;
    bool m_skipping = false;
    int m_progressMaximum = 0;
    int m_progressPosition = 0;
    int m_holdTicks = 0;
    bool m_coversScreen = false;
};

} // namespace tevrix
