// SPDX-License-Identifier: GPL-3.0-or-later
// The student station: the main window over the session engine.
#include "app/StationCommandLine.h"
#include "config/SettingsFile.h"
#include "config/UserStore.h"
#include "platform/StationFolders.h"
#include "ui/StudentMainForm.h"
#include "ui/UiText.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <libintl.h>
#include <optional>

namespace {

// What the command line asks for besides running; nothing when it asks to run.
std::optional<int> Answer(const tevrix::StationCommandLine& line,
                          const tevrix::StationFolders& folders) {
    switch (line.Action) {
    case tevrix::StationAction::Run: return std::nullopt;
    case tevrix::StationAction::ShowHelp: std::fputs(tevrix::StationHelp().c_str(), stdout); break;
    case tevrix::StationAction::ShowVersion: std::puts("TevrixStudent " TEVRIX_VERSION); break;
    case tevrix::StationAction::ShowFolders:
        std::printf("layout: %s\nstation: %s\ndata: %s\nstarting configuration: %s%s\n",
                    folders.Installed ? "installed" : "portable", folders.Station.c_str(),
                    folders.Data.c_str(), tevrix::kSystemConfigDir, tevrix::kConfigFileName);
        break;
    case tevrix::StationAction::Refuse:
        std::fprintf(stderr, "tevrix-student: %s\nsee `tevrix-student --help`\n",
                     line.Message.c_str());
        return tevrix::kStationUsageExit;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const tevrix::StationCommandLine line = tevrix::ReadStationCommandLine(argc, argv);
    const tevrix::StationFolders folders =
        tevrix::ChooseStationFolders(tevrix::StationFolderFactsOfThisProcess());
    if (const std::optional<int> exitCode = Answer(line, folders))
        return *exitCode;
    // A school's starting configuration and language, when the technician
    // left them in /etc, are the pupil's until changed.
    tevrix::PrepareStationFolder(folders,
                                 {std::string(tevrix::kSystemConfigDir) + tevrix::kConfigFileName,
                                  std::string(tevrix::kSystemConfigDir) + "language.txt"});

    QApplication application(argc, argv);
    // Qt sets the C locale from the environment; numbers are formatted by
    // the project's own code.
    std::setlocale(LC_ALL, "");
    bindtextdomain("default", (folders.Data + "locale").c_str());
    bind_textdomain_codeset("default", "UTF-8");
    textdomain("default");

    QApplication::setApplicationName(tevrix::Tr(tevrix::kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(TEVRIX_VERSION));
    tevrix::TStudentMainForm window(
        {folders.Station, folders.Data, tevrix::UserStore::ForCurrentUser().Path()});
    if (!line.TestFile.empty())
        window.SetStartupFile(QString::fromLocal8Bit(line.TestFile.c_str()));
    window.show();
    return QApplication::exec();
}
