// SPDX-License-Identifier: GPL-3.0-or-later
// The association of test files and the launchers, written into a
// temporary home and examined there.

#include "ui/settings/DesktopIntegration.h"
#include "ui/settings/SettingsDialogFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace tevrix;
using tevrix::testing::SettingsDialogFixture;

namespace {

constexpr int kAssociationTab = 0;
constexpr int kShortcutsTab = 1;

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Puts an empty file where a folder should be, so nothing can go below it.
bool BlockFolder(const QString& path) {
    QFile blocker(path);
    return blocker.open(QIODevice::WriteOnly);
}

QByteArray Canonical(const char* name) {
    return Bytes(QStringLiteral(TEVRIX_EXAMPLES "/../data/") + name);
}

// Sets environment variables for a scope and puts the old values back.
class ScopedEnvironment {
public:
    void Set(const char* name, const QString& value) {
        m_saved.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv(name, value.toUtf8());
    }
    ~ScopedEnvironment() {
        for (const Saved& saved : m_saved) {
            if (saved.WasSet)
                qputenv(saved.Name, saved.Value);
            else
                qunsetenv(saved.Name);
        }
    }

private:
    struct Saved {
        const char* Name;
        QByteArray Value;
        bool WasSet;
    };
    std::vector<Saved> m_saved;
};

// The lines of a desktop entry that start with `key=`.
QStringList Lines(const QByteArray& entry, const QString& key) {
    QStringList found;
    for (const QString& line : QString::fromUtf8(entry).split('\n'))
        if (line.startsWith(key + '='))
            found << line;
    return found;
}

} // namespace

class DesktopIntegrationTest : public QObject {
    Q_OBJECT

private slots:
    // The program path and the Exec value that starts it.
    void execValueQuotesTheProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/tevrix/tevrix-student"
                               << "\"/opt/tevrix/tevrix-student\" %f";
        QTest::newRow("blank and Cyrillic") << "/home/u/Мои тесты/tevrix-student"
                                            << "\"/home/u/Мои тесты/tevrix-student\" %f";
        QTest::newRow("dollar, quote, backtick") << "/a/$b\"c`d"
                                                 << "\"/a/\\\\$b\\\\\"c\\\\`d\" %f";
        QTest::newRow("backslash as four") << "/a\\b"
                                           << "\"/a\\\\\\\\b\" %f";
        QTest::newRow("percent is no field code") << "/100%/x"
                                                  << "\"/100%%/x\" %f";
    }
    void execValueQuotesTheProgram() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(DesktopIntegration::ExecValue(program, "%f"), exec);
    }

    void associationIsExaminedBeforeAndAfterApplying() {
        SettingsDialogFixture f;
        const DesktopPlaces places = f.Services().Desktop;
        f.Open(kAssociationTab);
        auto* box = f.Find<QCheckBox>("CheckBoxAssociate");
        QVERIFY(!box->isChecked());
        QVERIFY(box->isEnabled());
        QVERIFY(!DesktopIntegration(places).IsAssociated());

        f.Click("CheckBoxAssociate");
        f.ClickApply(kAssociationTab);
        QVERIFY(f.Boxes.empty());
        QVERIFY(box->isChecked());
        QVERIFY(!box->isEnabled());
        // The button stays, and does nothing more.
        QVERIFY(f.ApplyButton(kAssociationTab)->isEnabled());

        QCOMPARE(Bytes(places.DataHome + "/mime/packages/tevrix-student.xml"),
                 Canonical("tevrix-student-mime.xml"));
        QCOMPARE(Bytes(places.DataHome + "/icons/hicolor/scalable/apps/tevrix-student.svg"),
                 Canonical("tevrix-student.svg"));
        const QByteArray entry = Bytes(places.DataHome + "/applications/tevrix-student.desktop");
        QCOMPARE(Lines(entry, "Exec"), QStringList{"Exec=\"" + places.ExecutablePath + "\" %f"});
        QCOMPARE(Lines(entry, "MimeType"), QStringList{"MimeType=application/x-tevrix-test;"});
        QCOMPARE(Lines(entry, "Icon"), QStringList{"Icon=tevrix-student"});
        // Everything else is the canonical entry.
        QString canonical = QString::fromUtf8(Canonical("tevrix-student.desktop"));
        canonical.replace("Exec=tevrix-student %f", "Exec=\"" + places.ExecutablePath + "\" %f");
        QCOMPARE(QString::fromUtf8(entry), canonical);

        QFile::remove(places.DataHome + "/mime/packages/tevrix-student.xml");
        f.ClickApply(kAssociationTab);
        QVERIFY(!QFile::exists(places.DataHome + "/mime/packages/tevrix-student.xml"));
    }

    void associationIsAbsentAgainOnceTheExecutableMoved() {
        SettingsDialogFixture f;
        QVERIFY(DesktopIntegration(f.Services().Desktop).Associate().isEmpty());
        f.Open(kAssociationTab);
        QVERIFY(f.Find<QCheckBox>("CheckBoxAssociate")->isChecked());
        QVERIFY(!f.Find<QCheckBox>("CheckBoxAssociate")->isEnabled());

        f.Services().Desktop.ExecutablePath = f.Folder() + "/moved/tevrix-student";
        f.Open(kAssociationTab);
        QVERIFY(f.Find<QCheckBox>("CheckBoxAssociate")->isEnabled());
        f.Click("CheckBoxAssociate");
        f.ClickApply(kAssociationTab);
        QVERIFY(!f.Find<QCheckBox>("CheckBoxAssociate")->isEnabled());
        QCOMPARE(
            Lines(Bytes(f.Services().Desktop.DataHome + "/applications/tevrix-student.desktop"),
                  "Exec"),
            QStringList{"Exec=\"" + f.Folder() + "/moved/tevrix-student\" %f"});
    }

    // Any of the three files differing from what would be written now.
    void anyFileChangedMeansAbsent_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("MIME type") << "/mime/packages/tevrix-student.xml";
        QTest::newRow("desktop entry") << "/applications/tevrix-student.desktop";
        QTest::newRow("icon") << "/icons/hicolor/scalable/apps/tevrix-student.svg";
    }
    void anyFileChangedMeansAbsent() {
        QFETCH(QString, file);
        SettingsDialogFixture f;
        const DesktopIntegration desktop(f.Services().Desktop);
        QVERIFY(desktop.Associate().isEmpty());
        QVERIFY(desktop.IsAssociated());
        QFile changed(f.Services().Desktop.DataHome + file);
        QVERIFY(changed.open(QIODevice::Append));
        changed.write("\n");
        changed.close();
        QVERIFY(!desktop.IsAssociated());
        QVERIFY(changed.remove());
        QVERIFY(!desktop.IsAssociated());
    }

    void associationThatCannotBeWrittenSaysWhy() {
        SettingsDialogFixture f;
        QVERIFY(BlockFolder(f.Services().Desktop.DataHome));
        f.Open(kAssociationTab);
        f.Click("CheckBoxAssociate");
        f.ClickApply(kAssociationTab);
        QCOMPARE(f.Boxes.size(), size_t(1));
        QCOMPARE(f.Boxes[0].Caption, QString("Ошибка!"));
        QCOMPARE(f.Boxes[0].Icon, QMessageBox::Critical);
        QVERIFY2(f.Boxes[0].Text.contains(f.Services().Desktop.DataHome + "/mime/packages/"),
                 qPrintable(f.Boxes[0].Text));
        QVERIFY(f.Find<QCheckBox>("CheckBoxAssociate")->isEnabled());
    }

    void launchersOnTheDesktopAndInTheMenu() {
        SettingsDialogFixture f;
        const DesktopPlaces places = f.Services().Desktop;
        f.Open(kShortcutsTab);
        f.Click("CheckBoxDesktopShortcut");
        f.Click("CheckBoxMenuShortcut");
        f.ClickApply(kShortcutsTab);
        QCOMPARE(f.Boxes.size(), size_t(2));
        QCOMPARE(f.Boxes[0].Text, QString("Ярлык на Рабочем столе создан."));
        QCOMPARE(f.Boxes[1].Text, QString("Ярлык в меню \"ПУСК\" создан."));
        QCOMPARE(f.Boxes[1].Caption, QString("TevrixStudent"));

        const QString programFolder = QFileInfo(places.ExecutablePath).absolutePath() + '/';
        for (const QString& path :
             {places.DesktopFolder + "/TevrixStudent.desktop",
              places.DataHome + "/applications/TevrixX/TevrixStudent.desktop"}) {
            const QByteArray launcher = Bytes(path);
            QCOMPARE(Lines(launcher, "Exec"),
                     QStringList{"Exec=\"" + places.ExecutablePath + "\""});
            QCOMPARE(Lines(launcher, "Path"), QStringList{"Path=" + programFolder});
            QVERIFY(Lines(launcher, "MimeType").isEmpty());
            QVERIFY(QFileInfo(path).isExecutable());
        }
        QCOMPARE(Bytes(places.DataHome + "/icons/hicolor/scalable/apps/tevrix-student.svg"),
                 Canonical("tevrix-student.svg"));
        // Shown again, the boxes are cleared.
        f.Form().ShowTab(kAssociationTab);
        f.Form().ShowTab(kShortcutsTab);
        QVERIFY(!f.Find<QCheckBox>("CheckBoxDesktopShortcut")->isChecked());
        QVERIFY(!f.Find<QCheckBox>("CheckBoxMenuShortcut")->isChecked());
    }

    void launcherThatCannotBeSavedShowsNothing() {
        SettingsDialogFixture f;
        QVERIFY(BlockFolder(f.Services().Desktop.DesktopFolder));
        f.Open(kShortcutsTab);
        f.Click("CheckBoxDesktopShortcut");
        f.Click("CheckBoxMenuShortcut");
        f.ClickApply(kShortcutsTab);
        QCOMPARE(f.Boxes.size(), size_t(1));
        QCOMPARE(f.Boxes[0].Text, QString("Ярлык в меню \"ПУСК\" создан."));
    }

    // The folders of the user running the station, from a temporary home.
    void placesFollowTheUsersFolders() {
        QTemporaryDir home;
        ScopedEnvironment environment;
        environment.Set("HOME", home.path());
        environment.Set("XDG_CONFIG_HOME", home.path() + "/config");
        environment.Set("XDG_DATA_HOME", home.path() + "/data");
        QCOMPARE(DesktopPlaces::ForCurrentUser().DataHome, home.path() + "/data");
        QCOMPARE(DesktopPlaces::ForCurrentUser().DesktopFolder, home.path() + "/Desktop");
        QCOMPARE(DesktopPlaces::ForCurrentUser().ExecutablePath,
                 QCoreApplication::applicationFilePath());

        QVERIFY(QDir().mkpath(home.path() + "/config"));
        QFile dirs(home.path() + "/config/user-dirs.dirs");
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_DESKTOP_DIR=\"$HOME/Рабочий стол\"\n");
        dirs.close();
        QCOMPARE(DesktopPlaces::ForCurrentUser().DesktopFolder, home.path() + "/Рабочий стол");
    }
};

QTEST_MAIN(DesktopIntegrationTest)
#include "DesktopIntegrationTest.moc"
