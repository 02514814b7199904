// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/SessionDialogs.h"
#include "headless/RunScript.h"
#include "headless/VirtualTime.h"

#include <deque>
#include <vector>

namespace tevrix {

// How a scripted pupil closes the modal windows of the step under way: each
// takes the step's next reply, lets its seconds pass while it is open (the
// timers tick inside it, as they do in a real modal window) and returns its
// button.
class ModalReplies {
public:
    explicit ModalReplies(VirtualTime& time) : m_time(time) {}

    // The replies of a new step; `answersOwnQuestion` makes its first Yes/No
    // box without a scripted button answer Yes (the step's own request).
    void BeginStep(const std::vector<ScriptReply>& replies, bool answersOwnQuestion);
    // Closes a message box with these buttons.
    MessageReply CloseMessage(MessageButtons buttons);
    // Closes a window without a choice (a viewer, a dialog).
    void CloseWindow();

private:
    ScriptReply Next();

    VirtualTime& m_time;
    std::deque<ScriptReply> m_replies;
    bool m_ownQuestionPending = false;
};

} // namespace tevrix
