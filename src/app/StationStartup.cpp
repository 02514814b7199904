// SPDX-License-Identifier: GPL-3.0-or-later
#include "StationStartup.h"

#include "config/UserStore.h"
#include "platform/Paths.h"
#include "ui/StudentMainForm.h"
#include "ui/UiText.h"

#include <QApplication>

#include <clocale>
#include <libintl.h>

namespace tevrix {

int RunStation() {
    // Qt sets the C locale from the environment; numbers are formatted by
    // the project's own code.
    std::setlocale(LC_ALL, "");
    const std::string programDir = ExecutableDir();
    bindtextdomain("default", (programDir + "locale").c_str());
    bind_textdomain_codeset("default", "UTF-8");
    textdomain("default");

    QApplication::setApplicationName(Tr(kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(TEVRIX_VERSION));
    TStudentMainForm window({programDir, UserStore::ForCurrentUser().Path()});
    // The first argument, whatever its extension, is the test to open.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.SetStartupFile(arguments.at(1));
    window.show();
    return QApplication::exec();
}

} // namespace tevrix
