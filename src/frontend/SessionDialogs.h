// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultMessage.h"
#include "richtext/RichText.h"
#include "rules/IdentityCheck.h"

#include <optional>
#include <string>

namespace tevrix {

enum class MessageButtons {
    Ok,
    YesNo,
};

enum class MessageReply {
    Ok,
    Yes,
    No,
};

// A modal message box. A plain box has the application's title as caption,
// an OK button and no icon.
struct MessageBoxRequest {
    std::string Text;
    std::string Caption;
    MessageIcon Icon = MessageIcon::None;
    MessageButtons Buttons = MessageButtons::Ok;
};

// The name and group fields of the identification dialog.
struct IdentityFields {
    std::string Name;
    std::string Group;
};

// What the identification dialog gets before it is shown.
struct IdentificationSetup {
    IdentityFields Fields;
    std::string TitleUserName; // the captions above the fields
    std::string TitleUserGroup;
    IdentityPatterns Patterns;
};

// The modal windows the engine opens. Each returns when the pupil has closed
// it; the window's timers keep ticking meanwhile.
class SessionDialogs {
public:
    virtual ~SessionDialogs() = default;

    virtual MessageReply ShowMessageBox(const MessageBoxRequest& request) = 0;
    // The password dialog: the entered text (trimmed), or nothing when the
    // pupil did not confirm.
    virtual std::optional<std::string> AskPassword() = 0;
    // The identification dialog keeps its fields between runs; these are
    // what they hold now.
    virtual IdentityFields CurrentIdentity() = 0;
    // Sets the fields, captions and patterns, shows the dialog (which checks
    // the fields on OK) and returns whether the pupil confirmed; its fields
    // are then read with CurrentIdentity.
    virtual bool ShowIdentification(const IdentificationSetup& setup) = 0;
    // The text viewer: a rich text under a caption (the viewer's own when
    // empty). True when the pupil closed it with OK.
    virtual bool ShowTextViewer(const RichText& text, const std::string& caption) = 0;
};

} // namespace tevrix
