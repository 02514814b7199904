// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless/Transcript.h"

namespace tevrix {
namespace {

// Each line break (CR LF, LF CR, CR or LF) starts a new line indented by
// four blanks. Every break but the usual CR LF is written at the end of its
// line as it is escaped in C (\n, \r, \n\r), so the exact text shows.
std::string Indented(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const bool pair = (next == '\r' || next == '\n') && next != c;
        if (!(c == '\r' && pair))
            out += c == '\n' ? "\\n" : "\\r";
        if (pair && c == '\n')
            out += "\\r";
        if (pair)
            ++i;
        out += "\n    ";
    }
    return out;
}

} // namespace

std::vector<TranscriptEvent> Transcript::OfKind(const std::string& kind) const {
    std::vector<TranscriptEvent> events;
    for (const TranscriptEvent& event : m_events)
        if (event.Kind == kind)
            events.push_back(event);
    return events;
}

std::string Transcript::Print() const {
    std::string out;
    for (const TranscriptEvent& event : m_events) {
        out += event.Kind;
        if (!event.Caption.empty())
            out += " [" + event.Caption + "]";
        if (!event.Text.empty())
            out += " " + Indented(event.Text);
        if (!event.Outcome.empty())
            out += " -> " + event.Outcome;
        out += "\n";
    }
    return out;
}

} // namespace tevrix
