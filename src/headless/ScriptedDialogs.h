// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/RunOutputView.h"
#include "frontend/SessionDialogs.h"
#include "headless/ModalReplies.h"
#include "headless/RunScript.h"
#include "headless/Transcript.h"
#include "text/TextLocale.h"

namespace tevrix {

// The modal windows of a run taken by a scripted pupil: message boxes, the
// password and identification dialogs (which check the fields as the real
// dialog does), the text viewer and the end-of-run summary. Each is written
// to the transcript.
class ScriptedDialogs final : public SessionDialogs, public RunOutputView {
public:
    ScriptedDialogs(const RunScript& script, ModalReplies& replies, Transcript& transcript,
                    TextLocale locale);

    MessageReply ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> AskPassword() override;
    IdentityFields CurrentIdentity() override { return m_fields; }
    bool ShowIdentification(const IdentificationSetup& setup) override;
    bool ShowTextViewer(const RichText& text, const std::string& caption) override;

    void ShowEndSummary(const std::vector<SummaryLine>& lines) override;
    void ShowMessage(const PupilMessage& message) override;

private:
    const RunScript& m_script;
    ModalReplies& m_replies;
    Transcript& m_transcript;
    TextLocale m_locale;
    IdentityFields m_fields; // kept between runs, as the dialog keeps them
};

} // namespace tevrix
