// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/ScriptedDialogs.h"

#include "richtext/RichToPlain.h"
#include "text/Strings.h"

namespace tevrix {
namespace {

const char* IconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return "information";
    case MessageIcon::Exclamation: return "exclamation";
    case MessageIcon::Error: return "error";
    case MessageIcon::Question: return "question";
    case MessageIcon::None: break;
    }
    return "no icon";
}

const char* ReplyName(MessageReply reply) {
    switch (reply) {
    case MessageReply::Yes: return "Yes";
    case MessageReply::No: return "No";
    case MessageReply::Ok: break;
    }
    return "OK";
}

const char* StyleName(SummaryStyle style) {
    switch (style) {
    case SummaryStyle::Bold: return "bold";
    case SummaryStyle::BoldRed: return "bold red";
    case SummaryStyle::Normal: break;
    }
    return "";
}

} // namespace

ScriptedDialogs::ScriptedDialogs(const RunScript& script, ModalReplies& replies,
                                 Transcript& transcript, TextLocale locale)
    : m_script(script), m_replies(replies), m_transcript(transcript), m_locale(std::move(locale)) {}

MessageReply ScriptedDialogs::ShowMessageBox(const MessageBoxRequest& request) {
    const MessageReply reply = m_replies.CloseMessage(request.Buttons);
    m_transcript.Add({"message", request.Caption, request.Text,
                      std::string(IconName(request.Icon)) + ", " + ReplyName(reply)});
    return reply;
}

void ScriptedDialogs::ShowMessage(const PupilMessage& message) {
    ShowMessageBox({message.Text, message.Caption, message.Icon, MessageButtons::Ok});
}

std::optional<std::string> ScriptedDialogs::AskPassword() {
    m_replies.CloseWindow();
    if (!m_script.Password) {
        m_transcript.Add({"password", "", "", "cancelled"});
        return std::nullopt;
    }
    const std::string entered = Trim(*m_script.Password);
    m_transcript.Add({"password", "", entered, "OK"});
    return entered;
}

bool ScriptedDialogs::ShowIdentification(const IdentificationSetup& setup) {
    m_fields = setup.Fields;
    if (m_script.Name)
        m_fields.Name = *m_script.Name;
    if (m_script.Group)
        m_fields.Group = *m_script.Group;
    m_replies.CloseWindow();
    if (!m_script.Identify) {
        m_transcript.Add({"identification", "", m_fields.Name + " / " + m_fields.Group, "closed"});
        return false;
    }
    const IdentityCheckResult check =
        CheckIdentity(m_fields.Name, m_fields.Group, setup.Patterns, m_locale);
    m_fields = {check.Name, check.Group};
    if (check.Failed == IdentityField::None) {
        m_transcript.Add({"identification", "", m_fields.Name + " / " + m_fields.Group, "OK"});
        return true;
    }
    // The real dialog stays open with its balloon; a script cannot type
    // again, so the pupil gives up.
    const std::string text = check.PatternError.empty() ? check.BalloonText : check.PatternError;
    m_transcript.Add({"identification", check.BalloonHeader, text, "closed"});
    return false;
}

bool ScriptedDialogs::ShowTextViewer(const RichText& text, const std::string& caption) {
    m_replies.CloseWindow();
    m_transcript.Add({"viewer", caption, RichToPlain(text), ""});
    return true; // a scripted pupil closes every viewer with its OK button
}

void ScriptedDialogs::ShowEndSummary(const std::vector<SummaryLine>& lines) {
    for (const SummaryLine& line : lines)
        m_transcript.Add({"summary", "", line.Text, StyleName(line.Style)});
}

} // namespace tevrix
