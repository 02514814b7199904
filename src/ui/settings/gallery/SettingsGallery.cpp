// SPDX-License-Identifier: GPL-3.0-or-later
// settings-gallery: the settings dialog over default settings, with a user
// store and a desktop in a temporary folder, so nothing of the user's own
// is read or changed.
//
//   settings-gallery [--tab N] [--screenshots FOLDER]
//
// --tab shows the tab numbered N (from 1). With --screenshots every tab is
// written to FOLDER as tab01.png ... tab10.png and the program ends.
#include "config/Settings.h"
#include "config/UserStore.h"
#include "frontend/EndSoundPlayer.h"
#include "ui/gallery/GalleryLanguage.h"
#include "ui/settings/StudentAdditionConfigForm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

using namespace tevrix;

namespace {

class SilentPlayer : public EndSoundPlayer {
public:
    void PlayDefaultEndSound() override {}
    void PlaySoundFile(const std::string&) override {}
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tevrix::UseGalleryLanguage();
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption tab("tab", "The tab to show (1 to 10).", "N", "1");
    const QCommandLineOption screenshots("screenshots", "Write every tab to FOLDER.", "FOLDER");
    parser.addOptions({tab, screenshots});
    parser.process(app);

    QTemporaryDir home;
    Settings settings;
    UserStore store((home.path() + "/config/TevrixX/Student.ini").toStdString());
    SilentPlayer sound;
    SettingsDialogServices services{
        settings,
        store,
        sound,
        [](const ServerAddress&) { return Outcome::Failure(); },
        [] {},
        [] {},
        {home.path() + "/data", home.path() + "/Desktop", QCoreApplication::applicationFilePath()},
        (home.path() + "/").toStdString()};
    TStudentAdditionConfigForm form(services);
    form.show();
    form.ShowTab(parser.value(tab).toInt() - 1);
    if (!parser.isSet(screenshots))
        return QApplication::exec();

    const QDir folder(parser.value(screenshots));
    for (int index = 0; index < 10; ++index) {
        form.ShowTab(index);
        QApplication::processEvents();
        const QString file =
            folder.filePath(QString("tab%1.png").arg(index + 1, 2, 10, QChar('0')));
        if (!form.grab().save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
