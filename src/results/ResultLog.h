// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/ResultMessage.h"
#include "results/ResultTest.h"
#include "text/Format.h"
#include "text/TextLocale.h"

#include <optional>
#include <string>
#include <vector>

namespace tevrix {

// The plain-text result log: Windows-1251 lines ended by CR LF, only ever
// appended to, created when missing. It holds one-line event entries and one
// block per finished run.
class ResultLog {
public:
    ResultLog(std::string path, TextLocale locale);

    // Appends the block of a finished, graded run, written at `now`. Fails
    // with the message to show when the file cannot be opened or written.
    Outcome SaveResultLog(const TResultTest& record, double now) const;
    // Appends one event line; the same message on failure (the line is lost).
    Outcome AppendLogLine(const std::string& line) const;

    // The lines of a run's block: 26, or 25 when EndReason is none of 1 to 4.
    std::vector<std::string> BlockLines(const TResultTest& record, double now) const;
    // The event lines: program start, program close, start of a run.
    std::string ProgramStartLine(double now) const;
    std::string ProgramCloseLine(double now) const;
    std::string RunStartLine(double now, const std::string& testTitle) const;

private:
    Outcome Append(const std::vector<std::string>& lines) const;
    std::string Line(const char* pattern, const std::vector<FormatArg>& args) const;

    std::string m_path;
    TextLocale m_locale;
};

} // namespace tevrix
