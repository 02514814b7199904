// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tool tells about itself: its commands, their options and help.

#include "Commands.h"

#include <optional>
#include <string>
#include <vector>

namespace tevrix::tool {

// The tool's exit codes.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1; // the command ran and failed (an unreadable file, ...)
inline constexpr int kExitUsage = 2;  // the command line itself is wrong

struct CommandOption {
    const char* Name;  // "--password"
    const char* Value; // the value's placeholder ("P"), nullptr for a switch
    const char* Help;
};

struct CommandInfo {
    const char* Name;
    int (*Run)(const Arguments&);
    const char* Synopsis; // "tvf dump TEST.tvf [--password P] ..."
    const char* Summary;  // one line for the tool's help
    const char* Details;  // the paragraph of the command's help
    std::vector<CommandOption> Options;
};

const std::vector<CommandInfo>& ToolCommands();
const CommandInfo* FindCommand(const std::string& name);

// The tool's help (`tvf --help`) and one command's (`tvf dump --help`).
std::string ToolHelp();
std::string CommandHelp(const CommandInfo& command);
// "tvf 0.1"
std::string ToolVersion();

// The first option of `args` the command does not know, skipping the values
// of the options that take one.
std::optional<std::string> UnknownOption(const CommandInfo& command, const Arguments& args);
// "--password P, --extract DIR, --plain, --help"
std::string KnownOptions(const CommandInfo& command);

} // namespace tevrix::tool
