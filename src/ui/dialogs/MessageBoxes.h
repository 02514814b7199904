// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Outcome.h"
#include "frontend/SessionDialogs.h"

#include <optional>
#include <string>

class QWidget;

namespace tevrix {

// A modal message box with the request's caption (the application's title
// when it has none), buttons and icon; returns the button pressed. The
// texts come translated.
MessageReply ShowMessageBox(QWidget* parent, const MessageBoxRequest& request);

// A plain box: the application's title, an OK button, no icon.
void ShowPlainMessage(QWidget* parent, const std::string& text);

// The box of a core operation's outcome, its texts translated (the core
// words its messages in the source texts); nothing when it has no message.
std::optional<MessageBoxRequest> OutcomeBox(const Outcome& outcome);

// Shows the outcome's box, when it has one.
void ShowOutcome(QWidget* parent, const Outcome& outcome);

} // namespace tevrix
