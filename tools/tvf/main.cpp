// SPDX-License-Identifier: GPL-3.0-or-later
// tvf: the teacher's tool for TevrixStudent test and result files.
#include "CommandLine.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

using namespace tevrix::tool;

bool AsksForHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

int Refuse(const std::string& what, const std::string& message, const std::string& hint) {
    std::fprintf(stderr, "%s: %s\n%s\n", what.c_str(), message.c_str(), hint.c_str());
    return kExitUsage;
}

std::string CommandNames() {
    std::string names;
    for (const CommandInfo& command : ToolCommands())
        names += std::string(names.empty() ? "" : ", ") + command.Name;
    return names;
}

int RunCommand(const CommandInfo& command, const Arguments& args) {
    const std::string what = std::string("tvf ") + command.Name;
    const std::string usage =
        "usage: " + std::string(command.Synopsis) + " (see `" + what + " --help`)";
    for (const std::string& arg : args) {
        if (AsksForHelp(arg)) {
            std::fputs(CommandHelp(command).c_str(), stdout);
            return kExitDone;
        }
    }
    if (const auto option = UnknownOption(command, args))
        return Refuse(what,
                      "unknown option \"" + *option + "\" (options: " + KnownOptions(command) + ")",
                      usage);
    try {
        return command.Run(args);
    } catch (const UsageError& error) {
        return Refuse(what, error.what(), usage);
    } catch (const std::exception& error) { // ToolError and whatever else broke
        std::fprintf(stderr, "%s: %s\n", what.c_str(), error.what());
    }
    return kExitFailed;
}

} // namespace

int main(int argc, char** argv) {
    const std::string hint = "see `tvf --help`";
    if (argc < 2)
        return Refuse("tvf", "no command given (commands: " + CommandNames() + ")", hint);
    const std::string first = argv[1];
    if (AsksForHelp(first)) {
        std::fputs(ToolHelp().c_str(), stdout);
        return kExitDone;
    }
    if (first == "--version") {
        std::puts(ToolVersion().c_str());
        return kExitDone;
    }
    if (first.size() > 1 && first[0] == '-')
        return Refuse("tvf", "unknown option \"" + first + "\" (options: --help, --version)", hint);
    if (const CommandInfo* command = FindCommand(first))
        return RunCommand(*command, Arguments(argv + 2, argv + argc));
    return Refuse("tvf", "unknown command \"" + first + "\" (commands: " + CommandNames() + ")",
                  hint);
}
