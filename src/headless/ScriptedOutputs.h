// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/DetailReport.h"
#include "frontend/EndSoundPlayer.h"
#include "frontend/ResultWindow.h"
#include "headless/ModalReplies.h"
#include "headless/Transcript.h"

namespace tevrix {

// The end sound, the result window and the detailed report of a simulated
// run: written to the transcript; the two windows are closed as the
// scripted pupil's replies say.
class ScriptedOutputs final : public EndSoundPlayer, public ResultWindow, public DetailReport {
public:
    ScriptedOutputs(ModalReplies& replies, Transcript& transcript)
        : m_replies(replies), m_transcript(transcript) {}

    void PlayDefaultEndSound() override { m_transcript.Add({"sound", "", "built-in", ""}); }
    void PlaySoundFile(const std::string& path) override {
        m_transcript.Add({"sound", "", path, ""});
    }
    void ShowResultWindow(const TResultTest&) override {
        m_replies.CloseWindow();
        m_transcript.Add({"result window", "", "", ""});
    }
    void ShowDetailReport(TResultTest&, const TTest&, const TTaskList&) override {
        m_replies.CloseWindow();
        m_transcript.Add({"detail report", "", "", ""});
    }

private:
    ModalReplies& m_replies;
    Transcript& m_transcript;
};

} // namespace tevrix
