// SPDX-License-Identifier: GPL-3.0-or-later
// The student station: the main window over the session engine.
#include "config/UserStore.h"
#include "platform/Paths.h"
#include "text/InterfaceLanguage.h"
#include "ui/StudentMainForm.h"
#include "ui/UiText.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Qt sets the C locale from the environment; numbers are formatted by
    // the project's own code.
    std::setlocale(LC_ALL, "");
    tevrix::BindCatalogues(tevrix::CatalogueDir());
    const std::string programDir = tevrix::ExecutableDir();

    QApplication::setApplicationName(tevrix::Tr(tevrix::kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(TEVRIX_VERSION));
    tevrix::TStudentMainForm window({programDir, tevrix::UserStore::ForCurrentUser().Path()});
    // The first argument, whatever its extension, is the test to open.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.SetStartupFile(arguments.at(1));
    window.show();
    return QApplication::exec();
}
