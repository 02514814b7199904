// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <algorithm>

namespace tevrix::tool {
namespace {

const CommandOption kHelpOption{"--help", nullptr, "show this help and exit"};

std::string OptionWithValue(const CommandOption& option) {
    return option.Value ? std::string(option.Name) + " " + option.Value : option.Name;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

} // namespace

const std::vector<CommandInfo>& ToolCommands() {
    static const std::vector<CommandInfo> commands = {
        {"pack",
         PackCommand,
         "tvf pack TEST.json -o TEST.tvf",
         "build a test file from its JSON form",
         "Reads the JSON form of a test (docs/tvf-json.md) with the files it names\n"
         "and writes the scrambled, compressed test file the station opens.",
         {{"-o", "TEST.tvf", "the test file to write (replaced when it exists)"}}},
        {"dump",
         DumpCommand,
         "tvf dump TEST.tvf [--password P] [--extract DIR] [--plain]",
         "print a test file as JSON",
         "Prints the JSON form of a test file on standard output; `tvf pack`\n"
         "builds the same test from it again.",
         {{"--password", "P", "the test's password, when it has one"},
          {"--extract", "DIR", "write the embedded files into DIR and name them in the JSON"},
          {"--plain", nullptr, "rich texts as plain text instead of RTF"}}},
        {"results",
         ResultsCommand,
         "tvf results FILE.tvpr [--json]",
         "print the runs of a protected result file",
         "Prints every run of a protected result file, oldest first: one CSV row\n"
         "per run after a header row (docs/tvf-results.md). The file is only read.",
         {{"--json", nullptr, "the whole file as JSON instead of CSV"}}},
        {"simulate",
         SimulateCommand,
         "tvf simulate TEST.tvf --script RUN.json --station DIR",
         "take a whole run headless with a scripted pupil",
         "Takes one run of the test through the station's own engine with the\n"
         "pupil's actions read from RUN.json, and writes the result log and the\n"
         "protected result file into DIR as the station would (docs/simulate.md).\n"
         "Prints the run's transcript.",
         {{"--script", "RUN.json", "the scripted pupil"},
          {"--station", "DIR", "the station's folder: its configuration, its result files"}}},
    };
    return commands;
}

const CommandInfo* FindCommand(const std::string& name) {
    const auto& commands = ToolCommands();
    const auto found =
        std::find_if(commands.begin(), commands.end(),
                     [&](const CommandInfo& command) { return name == command.Name; });
    return found == commands.end() ? nullptr : &*found;
}

std::string ToolHelp() {
    std::string text = "usage: tvf COMMAND [ARGUMENTS]\n"
                       "       tvf COMMAND --help\n"
                       "       tvf --help | --version\n\n"
                       "The teacher's tool for TevrixStudent test and result files.\n\n"
                       "commands:\n";
    for (const CommandInfo& command : ToolCommands()) {
        std::string name = command.Name;
        name.resize(10, ' ');
        text += "  " + name + command.Summary + "\n";
    }
    text += "\nexit status: 0 done, 1 the command failed, 2 wrong command line.\n"
            "See tvf(1) and `tvf COMMAND --help`.\n";
    return text;
}

std::string CommandHelp(const CommandInfo& command) {
    std::string text =
        "usage: " + std::string(command.Synopsis) + "\n\n" + command.Details + "\n\noptions:\n";
    std::vector<CommandOption> options = command.Options;
    options.push_back(kHelpOption);
    for (const CommandOption& option : options) {
        std::string name = OptionWithValue(option);
        name.resize(std::max<size_t>(name.size() + 2, 16), ' ');
        text += "  " + name + option.Help + "\n";
    }
    return text;
}

std::string ToolVersion() {
    return std::string("tvf ") + TEVRIX_VERSION;
}

std::optional<std::string> UnknownOption(const CommandInfo& command, const Arguments& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (!IsOption(args[i]))
            continue;
        const auto known =
            std::find_if(command.Options.begin(), command.Options.end(),
                         [&](const CommandOption& option) { return args[i] == option.Name; });
        if (known == command.Options.end())
            return args[i];
        if (known->Value)
            ++i;
    }
    return std::nullopt;
}

std::string KnownOptions(const CommandInfo& command) {
    std::string names;
    for (const CommandOption& option : command.Options)
        names += OptionWithValue(option) + ", ";
    return names + kHelpOption.Name;
}

} // namespace tevrix::tool
