// SPDX-License-Identifier: GPL-3.0-or-later
#include "StationStartup.h"

#include "app/StationCommandLine.h"
#include "config/SettingsFile.h"
#include "config/UserStore.h"
#include "text/InterfaceLanguage.h"
#include "ui/StudentMainForm.h"
#include "ui/UiText.h"

#include <QApplication>

#include <clocale>
#include <cstdio>

namespace tevrix {
namespace {

// What the command line asks for besides running; nothing when it asks to run.
std::optional<int> Answer(const StationCommandLine& line, const StationFolders& folders) {
    switch (line.Action) {
    case StationAction::Run: return std::nullopt;
    case StationAction::ShowHelp: std::fputs(StationHelp().c_str(), stdout); break;
    case StationAction::ShowVersion: std::puts("TevrixStudent " TEVRIX_VERSION); break;
    case StationAction::ShowFolders:
        std::printf("layout: %s\nstation: %s\ndata: %s\nstarting configuration: %s%s\n",
                    folders.Installed ? "installed" : "portable", folders.Station.c_str(),
                    folders.Data.c_str(), kSystemConfigDir, kConfigFileName);
        break;
    case StationAction::Refuse:
        std::fprintf(stderr, "tevrix-student: %s\nsee `tevrix-student --help`\n",
                     line.Message.c_str());
        return kStationUsageExit;
    }
    return 0;
}

} // namespace

StationLaunch PrepareStation(int argc, const char* const* argv) {
    const StationCommandLine line = ReadStationCommandLine(argc, argv);
    StationLaunch launch{std::nullopt, ChooseStationFolders(StationFolderFactsOfThisProcess()),
                         line.TestFile};
    launch.ExitCode = Answer(line, launch.Folders);
    if (!launch.ExitCode) {
        // A school's starting configuration and language, when the technician
        // left them in /etc, are the pupil's until changed.
        PrepareStationFolder(launch.Folders, {std::string(kSystemConfigDir) + kConfigFileName,
                                              std::string(kSystemConfigDir) + "language.txt"});
    }
    return launch;
}

int RunStation(const StationLaunch& launch) {
    // Qt sets the C locale from the environment; numbers are formatted by
    // the project's own code.
    std::setlocale(LC_ALL, "");
    BindCatalogues(launch.Folders.Data + "locale/");

    QApplication::setApplicationName(Tr(kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(TEVRIX_VERSION));
    TStudentMainForm window(
        {launch.Folders.Station, launch.Folders.Data, UserStore::ForCurrentUser().Path()});
    if (!launch.TestFile.empty())
        window.SetStartupFile(QString::fromLocal8Bit(launch.TestFile.c_str()));
    window.show();
    return QApplication::exec();
}

} // namespace tevrix
