// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tevrix {

enum class MessageIcon {
    None,
    Information,
    Exclamation,
    Error,
    Question,
};

// A message box the pupil is shown: an OK button, the caption and the icon.
// An empty caption is a plain box, captioned with the application's title.
struct PupilMessage {
    std::string Text;
    std::string Caption;
    MessageIcon Icon = MessageIcon::None;
    friend bool operator==(const PupilMessage&, const PupilMessage&) = default;
};

// What every operation of the core that may fail leaves for the caller:
// whether it worked and the message box to show, if any. A failure may show
// nothing (the pupil cancelled, or the failure was shown already) and a
// success may bring a notice ("Соединение успешно установлено"). Operations
// that also produce a value return it beside an Outcome named Result.
class Outcome {
public:
    // Worked, nothing to show.
    Outcome() = default;

    static Outcome Success(PupilMessage notice) { return Outcome(true, std::move(notice)); }
    static Outcome Failure(std::optional<PupilMessage> message = std::nullopt) {
        return Outcome(false, std::move(message));
    }

    bool Ok() const { return m_ok; }
    bool Failed() const { return !m_ok; }
    const std::optional<PupilMessage>& Message() const { return m_message; }
    // The message's text; empty when there is no message.
    std::string MessageText() const { return m_message ? m_message->Text : std::string(); }

    friend bool operator==(const Outcome&, const Outcome&) = default;

private:
    Outcome(bool ok, std::optional<PupilMessage> message)
        : m_ok(ok), m_message(std::move(message)) {}

    bool m_ok = true;
    std::optional<PupilMessage> m_message;
};

} // namespace tevrix
