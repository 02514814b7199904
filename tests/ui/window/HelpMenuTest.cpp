// SPDX-License-Identifier: GPL-3.0-or-later
// The "Справка" menu: the user guide in the desktop's browser, the licence
// in the viewer, and the program's name, version and authors.

#include "ui/dialogs/TextViewForm.h"
#include "ui/window/ModalScript.h"
#include "ui/window/WindowFixture.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QTextEdit>
#include <QtTest>

using namespace tevrix;
using tevrix::testing::ModalScript;
using tevrix::testing::WindowFixture;

// Stands in for the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& url) { Opened << url; }
};

class HelpMenuTest : public WindowFixture {
    Q_OBJECT

private slots:
    void init() { SetUpWindow(); }
    void cleanup() { TearDownWindow(); }

    void helpOpensTheGuideInTheDataFolder() {
        UrlCatcher browser;
        QDesktopServices::setUrlHandler("file", &browser, "Open");
        Idle();
        QVERIFY(Action("AHelp")->isEnabled());
        QCOMPARE(Action("AHelp")->shortcut(), QKeySequence(Qt::Key_F1));
        Action("AHelp")->trigger();
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(browser.Opened.size(), 1);
        QCOMPARE(browser.Opened[0].toLocalFile(), StationDir() + "help/index.html");
    }

    void aboutNamesTheProgramItsVersionLicenceAndAuthors() {
        QCoreApplication::setApplicationVersion("7.8.9");
        QString text;
        QString caption;
        ModalScript script;
        script.Then("MessageBox", [&](QWidget& box) {
            text = static_cast<QMessageBox&>(box).text();
            caption = box.windowTitle();
            DeclineOrConfirm(box);
        });
        Action("AAbout")->trigger();
        QCOMPARE(caption, QString("О программе"));
        for (const char* part : {"TevrixStudent", "7.8.9", "GPL-3.0-or-later", "Авторы"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
    }

    void licenceShowsTheLicenceText() {
        // The licence comes with the program, in its data folder.
        QVERIFY(
            QFile::copy(QStringLiteral(TEVRIX_SOURCE_DIR "/LICENSE"), StationDir() + "LICENSE"));
        QString shown;
        ModalScript script;
        script.Then("TextViewForm", [&](QWidget& viewer) {
            shown = viewer.findChild<QTextEdit*>("Viewer")->toPlainText();
            CloseViewer(viewer);
        });
        Action("ALicense")->trigger();
        QVERIFY(shown.contains("GNU GENERAL PUBLIC LICENSE"));
        QVERIFY(shown.contains("Version 3"));
    }
};

QTEST_MAIN(HelpMenuTest)
#include "HelpMenuTest.moc"
