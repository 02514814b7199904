// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StationCommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tevrix {
namespace {

// The options every Qt program takes, and whether a value follows.
struct QtOption {
    std::string_view Name;
    bool TakesValue;
};
constexpr std::array kQtOptions{
    QtOption{"-platform", true},        QtOption{"-platformpluginpath", true},
    QtOption{"-platformtheme", true},   QtOption{"-plugin", true},
    QtOption{"-qwindowgeometry", true}, QtOption{"-qwindowtitle", true},
    QtOption{"-qwindowicon", true},     QtOption{"-style", true},
    QtOption{"-stylesheet", true},      QtOption{"-session", true},
    QtOption{"-display", true},         QtOption{"-geometry", true},
    QtOption{"-reverse", false},        QtOption{"-widgetcount", false},
    QtOption{"-nograb", false},         QtOption{"-dograb", false},
    QtOption{"-sync", false},
};

const QtOption* FindQtOption(std::string_view arg) {
    // Qt takes its options with one dash or two.
    if (arg.starts_with("--"))
        arg.remove_prefix(1);
    const auto found = std::find_if(kQtOptions.begin(), kQtOptions.end(),
                                    [&](const QtOption& option) { return option.Name == arg; });
    return found == kQtOptions.end() ? nullptr : &*found;
}

} // namespace

StationCommandLine ReadStationCommandLine(int argc, const char* const* argv) {
    StationCommandLine line;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (line.TestFile.empty())
                line.TestFile = arg;
            continue;
        }
        if (arg == "--")
            optionsEnded = true;
        else if (arg == "--help" || arg == "-h")
            return {StationAction::ShowHelp, {}, {}};
        else if (arg == "--version")
            return {StationAction::ShowVersion, {}, {}};
        else if (arg == "--folders")
            line.Action = StationAction::ShowFolders;
        else if (const QtOption* qt = FindQtOption(arg))
            i += qt->TakesValue ? 1 : 0;
        else
            return {StationAction::Refuse,
                    {},
                    "unknown option \"" + std::string(arg) +
                        "\" (options: --help, --version, --folders, and Qt's -platform, "
                        "-style, ...)"};
    }
    return line;
}

std::string StationHelp() {
    return "usage: tevrix-student [OPTIONS] [TEST.tvf]\n"
           "\n"
           "The student station of TevrixX: a pupil takes the test TEST.tvf, or one\n"
           "opened from the menu.\n"
           "\n"
           "options:\n"
           "  --folders   print where the station keeps its files and exit\n"
           "  --version   print the version and exit\n"
           "  --help      show this help and exit\n"
           "  --          the next argument is the test, even when it starts with '-'\n"
           "Qt's own options (-platform NAME, -style NAME, -reverse, ...) are taken too.\n"
           "\n"
           "A portable station (its program's folder writable) keeps its configuration\n"
           "and results beside the program; an installed one in\n"
           "$XDG_DATA_HOME/TevrixStudent (~/.local/share/TevrixStudent).\n"
           "\n"
           "exit status: 0 closed normally, 2 wrong command line.\n"
           "See tevrix-student(1).\n";
}

} // namespace tevrix
