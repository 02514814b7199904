// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tevrix::tool {

// A command of the tool gets its arguments after the command's name and
// returns the process exit code. Errors are reported as one line on stderr.
using Arguments = std::vector<std::string>;

int PackCommand(const Arguments& args);
int DumpCommand(const Arguments& args);
int ResultsCommand(const Arguments& args);
int SimulateCommand(const Arguments& args);

// Thrown by commands for a failure to report; main prints it and exits 1.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Thrown for arguments a command cannot take; main prints it with the
// command's usage and exits 2.
class UsageError : public ToolError {
public:
    using ToolError::ToolError;
};

} // namespace tevrix::tool
