// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tevrix {

// One thing a simulated run showed or did.
struct TranscriptEvent {
    std::string Kind;    // "message", "viewer", "task", "summary", "report", ...
    std::string Caption; // a window's caption, when it has one
    std::string Text;    // as shown, line breaks included
    std::string Outcome; // how it was closed or what it did
    friend bool operator==(const TranscriptEvent&, const TranscriptEvent&) = default;
};

// What a simulated run showed, in order.
class Transcript {
public:
    void Add(TranscriptEvent event) { m_events.push_back(std::move(event)); }
    const std::vector<TranscriptEvent>& Events() const { return m_events; }
    // The events of one kind.
    std::vector<TranscriptEvent> OfKind(const std::string& kind) const;
    // Every event on its own line ("kind [caption] text -> outcome"); the
    // lines of a text after its first are indented by four blanks.
    std::string Print() const;

private:
    std::vector<TranscriptEvent> m_events;
};

} // namespace tevrix
