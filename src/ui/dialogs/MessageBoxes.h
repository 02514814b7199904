// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/SessionDialogs.h"

#include <string>

class QWidget;

namespace tevrix {

// A modal message box with the request's caption (the application's title
// when it has none), buttons and icon; returns the button pressed. The
// texts come translated.
MessageReply ShowMessageBox(QWidget* parent, const MessageBoxRequest& request);

// A plain box: the application's title, an OK button, no icon.
void ShowPlainMessage(QWidget* parent, const std::string& text);

} // namespace tevrix
