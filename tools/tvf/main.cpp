// SPDX-License-Identifier: GPL-3.0-or-later
// tvf: the teacher's tool for TevrixStudent test and result files.
#include "Commands.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

namespace {

struct Command {
    const char* Name;
    int (*Run)(const tevrix::tool::Arguments&);
    const char* Usage;
};

const Command kCommands[] = {
    {"pack", tevrix::tool::PackCommand, "tvf pack TEST.json -o TEST.tvf"},
    {"dump", tevrix::tool::DumpCommand,
     "tvf dump TEST.tvf [--password P] [--extract DIR] [--plain]"},
    {"results", tevrix::tool::ResultsCommand, "tvf results FILE.tvpr [--json]"},
    {"simulate", tevrix::tool::SimulateCommand,
     "tvf simulate TEST.tvf --script RUN.json --station DIR"},
};

int Usage() {
    std::fputs("usage:\n", stderr);
    for (const Command& command : kCommands)
        std::fprintf(stderr, "  %s\n", command.Usage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string_view name = argv[1];
    for (const Command& command : kCommands) {
        if (name != command.Name)
            continue;
        try {
            return command.Run(tevrix::tool::Arguments(argv + 2, argv + argc));
        } catch (const std::exception& error) { // ToolError and whatever else broke
            std::fprintf(stderr, "tvf %s: %s\n", command.Name, error.what());
        }
        return 1;
    }
    std::string names;
    for (const Command& command : kCommands)
        names += std::string(names.empty() ? "" : ", ") + command.Name;
    std::fprintf(stderr, "tvf: unknown command \"%s\" (commands: %s)\n", argv[1], names.c_str());
    return 2;
}
