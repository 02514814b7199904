// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/ScriptedTaskArea.h"

#include "richtext/RichToPlain.h"

namespace tevrix {

void ScriptedTaskArea::Enter(const ScriptedAnswer& answer) {
    m_entered = answer;
}

void ScriptedTaskArea::ResetTaskArea() {
    m_entered.reset();
    m_iDoNotKnow = false;
    m_skipping = false;
    m_taskList.clear();
    m_taskListImages.clear();
}

void ScriptedTaskArea::ShowNoTestText() {
    m_transcript.Add({"idle", "", kMsgChooseATest, ""});
}

void ScriptedTaskArea::ShowTask(const TaskPresentation& presentation) {
    m_variantOrder = presentation.VariantOrder;
    m_promptCaption = presentation.PromptCaption;
    m_entered.reset();
    m_transcript.Add({"task", presentation.Header, RichToPlain(presentation.Task.Question), ""});
}

EnteredAnswer ScriptedTaskArea::ReadAnswer(const TTask& task) {
    // An untouched answer form holds nothing.
    return m_entered.value_or(ScriptedAnswer{}).ToEntered(task, m_variantOrder);
}

void ScriptedTaskArea::ShowRightAnswer(const RightAnswerView& view) {
    std::string marks;
    for (const SlotHighlight& slot : view.Slots)
        marks += (marks.empty() ? "" : " ") + (slot.Mark.empty() ? std::string("_") : slot.Mark);
    m_transcript.Add({"right answer", "", marks, view.DrawAreas ? "areas drawn" : ""});
}

void ScriptedTaskArea::SetRunActions(bool iDoNotKnow, bool skipping) {
    m_iDoNotKnow = iDoNotKnow;
    m_skipping = skipping;
}

void ScriptedTaskArea::SetProgress(int maximum, int position) {
    m_progressMaximum = maximum;
    m_progressPosition = position;
}

void ScriptedTaskArea::SetTaskListImage(int position, TaskListImage image) {
    if (position >= int(m_taskListImages.size()))
        m_taskListImages.resize(size_t(position) + 1, TaskListImage::NotShown);
    m_taskListImages[size_t(position)] = image;
}

void ScriptedTaskArea::SetStatusPanel(StatusPanel panel, const std::string& text,
                                      PanelDrawing drawing) {
    m_panels[panel] = {text, drawing};
}

ScriptedTaskArea::PanelState ScriptedTaskArea::Panel(StatusPanel panel) const {
    const auto found = m_panels.find(panel);
    return found == m_panels.end() ? PanelState{} : found->second;
}

void ScriptedTaskArea::SaveWindowPlacement() {
    m_transcript.Add({"exclusive mode", "", "", "entered"});
}

void ScriptedTaskArea::CoverScreen() {
    m_coversScreen = true;
}

void ScriptedTaskArea::RestoreWindowPlacement() {
    m_coversScreen = false;
    m_transcript.Add({"exclusive mode", "", "", "left"});
}

} // namespace tevrix
