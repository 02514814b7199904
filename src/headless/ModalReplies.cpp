// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/ModalReplies.h"

namespace tevrix {

void ModalReplies::BeginStep(const std::vector<ScriptReply>& replies, bool answersOwnQuestion) {
    m_replies.assign(replies.begin(), replies.end());
    m_ownQuestionPending = answersOwnQuestion;
}

ScriptReply ModalReplies::Next() {
    if (m_replies.empty())
        return {};
    ScriptReply reply = m_replies.front();
    m_replies.pop_front();
    return reply;
}

MessageReply ModalReplies::CloseMessage(MessageButtons buttons) {
    const ScriptReply reply = Next();
    m_time.Advance(int64_t(reply.Seconds) * 1000);
    if (buttons == MessageButtons::Ok)
        return MessageReply::Ok;
    const bool ownQuestion = m_ownQuestionPending;
    m_ownQuestionPending = false;
    if (reply.Button == MessageReply::Yes || reply.Button == MessageReply::No)
        return *reply.Button;
    return ownQuestion ? MessageReply::Yes : MessageReply::No;
}

void ModalReplies::CloseWindow() {
    m_time.Advance(int64_t(Next().Seconds) * 1000);
}

} // namespace tevrix
