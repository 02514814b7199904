// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog driven by clicks and keys: the password gate, each
// tab's filling, enabling, key filters and apply rules.

#include "net/ServerClient.h"
#include "net/TcpConnector.h"
#include "support/ScriptedTcpServer.h"
#include "ui/settings/ColorsPage.h"
#include "ui/settings/NetworkPage.h"
#include "ui/settings/SettingsDialogFixture.h"
#include "ui/widgets/CharacterFilter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>

#include <chrono>
#include <thread>

using namespace tevrix;
using tevrix::testing::ModalScript;
using tevrix::testing::SettingsDialogFixture;

namespace {

enum Tab {
    Association,
    Shortcuts,
    Network,
    Folders,
    ResultOutput,
    Colors,
    UserName,
    Sound,
    Password,
    SaveSettings
};

} // namespace

Q_DECLARE_METATYPE(std::optional<std::string>)

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheFirstOfTenTabsInOrder() {
        SettingsDialogFixture f;
        TStudentAdditionConfigForm& form = f.Open();
        QCOMPARE(form.windowTitle(), QString("Параметры"));
        QCOMPARE(form.CurrentTab(), 0);
        const QStringList captions = {"Ассоциация", "Ярлыки",          "Сеть", "Папки и файлы",
                                      "Вывод рез.", "Цвета",           "Имя",  "Звук",
                                      "Пароль",     "Сохр. параметров"};
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(f.Find<QToolButton>(QString("Tab%1").arg(i + 1).toLatin1())->text(),
                     captions[i]);
        QVERIFY(form.width() >= TStudentAdditionConfigForm::kWidth);
        QVERIFY(form.height() >= TStudentAdditionConfigForm::kHeight);
        // A click on a caption shows its tab.
        f.Click("Tab8");
        QCOMPARE(form.CurrentTab(), int(Sound));
        QCOMPARE(form.findChild<QStackedWidget*>()->currentWidget()->objectName(),
                 QString("TabSound"));
    }

    // The stored password, what the user answers (nothing: cancelled), and
    // what follows.
    void passwordGate_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<std::optional<std::string>>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("no password")
            << QString() << std::optional<std::string>("x") << false << true << QStringList();
        QTest::newRow("empty value")
            << QString("") << std::optional<std::string>("x") << false << true << QStringList();
        QTest::newRow("right password")
            << QString("Тайна 1") << std::optional<std::string>("Тайна 1") << true << true
            << QStringList();
        QTest::newRow("wrong password")
            << QString("Тайна 1") << std::optional<std::string>("тайна 1") << true << false
            << QStringList{"Не верный пароль..."};
        QTest::newRow("cancelled")
            << QString("Тайна 1") << std::optional<std::string>() << true << false << QStringList();
    }
    void passwordGate() {
        QFETCH(QString, stored);
        QFETCH(std::optional<std::string>, answer);
        QFETCH(bool, asked);
        QFETCH(bool, shown);
        QFETCH(QStringList, boxes);
        SettingsDialogFixture f;
        if (!stored.isNull())
            QVERIFY(
                f.Store().WriteString(f.Store().RootSection(), "Password", stored.toStdString()));
        bool dialogShown = false;
        f.Script().Then("StudentAdditionConfigForm", [&](QWidget& window) {
            dialogShown = true;
            window.close();
        });
        int asks = 0;
        TStudentAdditionConfigForm::OpenSettings(nullptr, f.Services(), [&] {
            ++asks;
            return answer;
        });
        QCOMPARE(asks > 0, asked);
        QCOMPARE(dialogShown, shown);
        QStringList texts;
        for (const auto& box : f.Boxes)
            texts << box.Text;
        QCOMPARE(texts, boxes);
    }

    // ---------------------------------------------------------------- Сеть

    void networkFillsAndEnablesByTheSendBox() {
        SettingsDialogFixture f;
        f.StationSettings().RemoteHost = "school-server";
        f.StationSettings().RemotePort = 8000;
        f.StationSettings().IsSendResult = false;
        f.StationSettings().IsAutoGetTestFromStart = true;
        f.Open(Network);
        QCOMPARE(f.Text("EditRemoteHost"), QString("school-server"));
        QCOMPARE(f.Text("EditRemotePort"), QString("8000"));
        auto* autoGet = f.Find<QCheckBox>("CheckBoxAutoGetTest");
        QVERIFY(autoGet->isChecked());
        QVERIFY(!autoGet->isEnabled());
        QVERIFY(!f.ApplyButton(Network)->isEnabled());

        f.Type("EditRemoteHost", "teacher");
        QVERIFY(!autoGet->isEnabled());
        QVERIFY(f.ApplyButton(Network)->isEnabled());
        f.Click("CheckBoxSendResult");
        QVERIFY(autoGet->isEnabled());
        f.Click("CheckBoxSendResult");
        QVERIFY(!autoGet->isEnabled());
    }

    void networkTestButtonNeedsHostAndPort_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("both") << "srv"
                              << "5005" << true;
        QTest::newRow("blank host") << "   "
                                    << "5005" << false;
        QTest::newRow("no port") << "srv"
                                 << "" << false;
    }
    void networkTestButtonNeedsHostAndPort() {
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(bool, enabled);
        SettingsDialogFixture f;
        f.Open(Network);
        f.Type("EditRemoteHost", host);
        f.Type("EditRemotePort", port);
        QCOMPARE(f.Find<QPushButton>("ButtonTestConnection")->isEnabled(), enabled);
    }

    void portTakesOnlyDigitsAndBeepsAtTheRest() {
        SettingsDialogFixture f;
        f.Open(Network);
        int beeps = 0;
        f.Form().findChild<NetworkPage*>()->PortFilter().SetBeep([&] { ++beeps; });
        f.Type("EditRemotePort", "8a0-0 ф");
        QCOMPARE(f.Text("EditRemotePort"), QString("800"));
        QCOMPARE(beeps, 4);
        QTest::keyClick(f.Find<QLineEdit>("EditRemotePort"), Qt::Key_Backspace);
        QCOMPARE(f.Text("EditRemotePort"), QString("80"));
        QCOMPARE(beeps, 4);
    }

    void networkApplyTakesTheHostAsTypedAndThePortAsANumber_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("remotePort");
        QTest::newRow("blanks kept") << "  srv  "
                                     << "8000" << 8000;
        QTest::newRow("empty port is 0") << "srv"
                                         << "" << 0;
        QTest::newRow("too large is 0") << "srv"
                                        << "99999999999" << 0;
    }
    void networkApplyTakesTheHostAsTypedAndThePortAsANumber() {
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(int, remotePort);
        SettingsDialogFixture f;
        f.Open(Network);
        f.Type("EditRemoteHost", host);
        f.Type("EditRemotePort", port);
        f.Click("CheckBoxSendResult");
        f.Click("CheckBoxAutoGetTest");
        f.ClickApply(Network);
        QCOMPARE(QString::fromStdString(f.StationSettings().RemoteHost), host);
        QCOMPARE(f.StationSettings().RemotePort, remotePort);
        QVERIFY(f.StationSettings().IsSendResult);
        QVERIFY(f.StationSettings().IsAutoGetTestFromStart);
        QVERIFY(!f.ApplyButton(Network)->isEnabled());
    }

    void changesNotAppliedAreLostOnLeavingTheTab() {
        SettingsDialogFixture f;
        f.StationSettings().RemoteHost = "applied";
        f.Open(Network);
        f.Type("EditRemoteHost", "typed");
        f.Form().ShowTab(Folders);
        f.Form().ShowTab(Network);
        QCOMPARE(f.Text("EditRemoteHost"), QString("applied"));
        QVERIFY(!f.ApplyButton(Network)->isEnabled());
        QCOMPARE(f.StationSettings().RemoteHost, std::string("applied"));
    }

    // The real exchange with a scripted teacher's server.
    void connectionTestShowsTheServersAnswer_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::newRow("OK") << "OK\r\n"
                            << "TevrixStudent"
                            << "Соединение прошло успешно..." << int(QMessageBox::NoIcon);
        QTest::newRow("other reply") << "NO\r\n"
                                     << ""
                                     << "" << 0;
        QTest::newRow("no server") << ""
                                   << "Ошибка!"
                                   << "Нет связи с сервером!" << int(QMessageBox::Critical);
    }
    void connectionTestShowsTheServersAnswer() {
        QFETCH(QString, reply);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(int, icon);
        tevrix::testing::ScriptedTcpServer server;
        server.Expect({tevrix::testing::ReadLines(2), tevrix::testing::Send(reply.toStdString())});
        TcpConnector connector;
        ServerClient client(connector, TextLocale{});
        SettingsDialogFixture f;
        f.Services().TestConnection = [&client](const ServerAddress& address) {
            return client.TestConnection(address, "PC-1");
        };
        f.StationSettings().RemotePort = 1;
        f.Open(Network);
        // The edits as they stand, not applied.
        f.Type("EditRemoteHost", "127.0.0.1");
        f.Type("EditRemotePort", QString::number(reply.isEmpty() ? tevrix::testing::UnusedPort()
                                                                 : server.Address().Port));
        f.Click("ButtonTestConnection");
        if (text.isEmpty()) {
            QVERIFY(f.Boxes.empty());
        } else {
            QCOMPARE(f.Boxes.size(), size_t(1));
            QCOMPARE(f.Boxes[0].Caption, caption);
            QCOMPARE(f.Boxes[0].Text, text);
            QCOMPARE(int(f.Boxes[0].Icon), icon);
        }
        if (!reply.isEmpty())
            QCOMPARE(QString::fromStdString(server.Received(0)),
                     QString("TEST\r\nPC-1\r\nQUIT\r\n"));
        QCOMPARE(f.StationSettings().RemotePort, 1);
    }

    void connectionTestKeepsTheWindowAlive() {
        SettingsDialogFixture f;
        f.Services().TestConnection = [&f](const ServerAddress& address) {
            f.Tested.push_back(address);
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            return Outcome::Failure();
        };
        f.Open(Network);
        f.Type("EditRemoteHost", "srv");
        f.Type("EditRemotePort", "77");
        int ticks = 0;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start();
        f.Click("ButtonTestConnection");
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
        QCOMPARE(f.Tested.size(), size_t(1));
        QCOMPARE(f.Tested[0].Host, std::string("srv"));
        QCOMPARE(f.Tested[0].Port, 77);
        QVERIFY(f.Find<QPushButton>("ButtonTestConnection")->isEnabled());
    }

    // ------------------------------------------------------- Папки и файлы

    void prefixRefusesWhatFileNamesCannotHold() {
        SettingsDialogFixture f;
        f.Open(Folders);
        f.Type("EditProtectionResultPrefix", "Класс?\\5*\"a/b:c<d>e|ё");
        QCOMPARE(f.Text("EditProtectionResultPrefix"), QString("Класс5abcdeё"));
    }

    void foldersApplyTrimsAndRestoresTheLogName() {
        SettingsDialogFixture f;
        f.Open(Folders);
        f.Type("EditInitialDirOpenTest", "  /srv/tests ");
        f.Type("EditDirForResult", "/srv/results");
        f.Type("EditResultFileName", "   ");
        f.Type("EditProtectionResultPrefix", " 10а_ ");
        f.ClickApply(Folders);
        const Settings& s = f.StationSettings();
        QCOMPARE(s.InitialDirOpenTest, std::string("/srv/tests"));
        QCOMPARE(s.DirForResult, std::string("/srv/results"));
        QCOMPARE(s.ResultFileName, std::string("TevrixStudent_Result.txt"));
        QCOMPARE(s.ProtectionResultPrefix, std::string("10а_"));
    }

    void folderBrowserAndClear() {
        SettingsDialogFixture f;
        f.StationSettings().DirForResult = "/old";
        f.Open(Folders);
        const QString chosen = f.Folder() + "/Результаты";
        QVERIFY(QDir().mkpath(chosen));
        QString title;
        f.Script().Then("FolderBrowser", [&](QWidget& window) {
            auto& dialog = static_cast<QFileDialog&>(window);
            title = dialog.windowTitle();
            ModalScript::Type(dialog, "fileNameEdit", chosen);
            static_cast<QDialog&>(dialog).accept();
        });
        f.Click("ButtonBrowseDirForResult");
        QCOMPARE(title, QString("Пожалуйста, выберите папку"));
        QCOMPARE(f.Text("EditDirForResult"), chosen);
        f.Script().Then("FolderBrowser",
                        [](QWidget& window) { static_cast<QDialog&>(window).reject(); });
        f.Click("ButtonBrowseDirForResult");
        QCOMPARE(f.Text("EditDirForResult"), chosen);
        f.Click("ButtonClearDirForResult");
        QCOMPARE(f.Text("EditDirForResult"), QString());
        QVERIFY(f.ApplyButton(Folders)->isEnabled());
    }

    // A value the Windows-1251 configuration file cannot hold is refused at
    // its field, and nothing of the tab is applied.
    void refusesWhatTheConfigurationFileCannotHold_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("field");
        QTest::newRow("result folder") << int(Folders) << "EditDirForResult"
                                       << "Папка для сохранения результатов тестирования";
        QTest::newRow("host") << int(Network) << "EditRemoteHost"
                              << "IP или имя сервера";
        QTest::newRow("name pattern") << int(UserName) << "EditExpressionUserName"
                                      << "Шаблон (Имя пользователя)";
    }
    void refusesWhatTheConfigurationFileCannotHold() {
        QFETCH(int, tab);
        QFETCH(QString, edit);
        QFETCH(QString, field);
        SettingsDialogFixture f;
        const Settings before = f.StationSettings();
        f.Open(tab);
        f.Type(edit.toLatin1(), "/home/café");
        f.ClickApply(tab);
        QCOMPARE(f.Boxes.size(), size_t(1));
        QCOMPARE(f.Boxes[0].Caption, QString("Внимание!"));
        QVERIFY2(f.Boxes[0].Text.contains("\"" + field + "\"") &&
                     f.Boxes[0].Text.contains("\"é\"") && f.Boxes[0].Text.contains("Windows-1251"),
                 qPrintable(f.Boxes[0].Text));
        QVERIFY(f.StationSettings() == before);
        QVERIFY(f.ApplyButton(tab)->isEnabled());
        QCOMPARE(f.Form().focusWidget(), f.Find<QLineEdit>(edit.toLatin1()));
        // Cyrillic is no problem.
        f.Type(edit.toLatin1(), "Школа №5");
        f.ClickApply(tab);
        QCOMPARE(f.Boxes.size(), size_t(1));
        QVERIFY(!(f.StationSettings() == before));
    }

    // ------------------------------------------------------ Вывод рез., Имя

    void resultOutputBoxesMapInOrder() {
        SettingsDialogFixture f;
        Settings& s = f.StationSettings();
        s.IsShowUserResult = true;
        s.IsShowDetailReport = false;
        s.IsSaveResult = true;
        s.IsSaveProtectionResult = false;
        f.Open(ResultOutput);
        const char* boxes[] = {"CheckBoxShowUserResult", "CheckBoxShowDetailReport",
                               "CheckBoxSaveResult", "CheckBoxSaveProtectionResult"};
        const bool shown[] = {true, false, true, false};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(f.Find<QCheckBox>(boxes[i])->isChecked(), shown[i]);
            f.Click(boxes[i]);
        }
        f.ClickApply(ResultOutput);
        QCOMPARE(s.IsShowUserResult, false);
        QCOMPARE(s.IsShowDetailReport, true);
        QCOMPARE(s.IsSaveResult, false);
        QCOMPARE(s.IsSaveProtectionResult, true);
    }

    void userNameTextsAreCopiedExactly() {
        SettingsDialogFixture f;
        f.Open(UserName);
        QCOMPARE(f.Text("EditExpressionUserName"),
                 QString::fromStdString(Settings{}.UserNameExpression));
        QCOMPARE(f.Find<QLineEdit>("EditExpressionUserGroup")->toolTip(),
                 QString("Используются регулярные выражения..."));
        const char* edits[] = {"EditDefaultUserName",  "EditExpressionUserName",
                               "EditExampleUserName",  "EditTitleUserName",
                               "EditDefaultUserGroup", "EditExpressionUserGroup",
                               "EditExampleUserGroup", "EditTitleUserGroup"};
        for (int i = 0; i < 8; ++i)
            f.Type(edits[i], QString(" текст %1 ").arg(i));
        f.Click("CheckBoxSaveLastUser");
        f.ClickApply(UserName);
        const Settings& s = f.StationSettings();
        const std::string* targets[] = {
            &s.DefaultUserName,  &s.UserNameExpression,  &s.UserNameExample,  &s.TitleUserName,
            &s.DefaultUserGroup, &s.UserGroupExpression, &s.UserGroupExample, &s.TitleUserGroup};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(QString::fromStdString(*targets[i]), QString(" текст %1 ").arg(i));
        QVERIFY(!s.IsSaveLastUser);
    }

    // --------------------------------------------------------------- Цвета

    void colorsFillTheSwatchesAndTheCustomColours() {
        SettingsDialogFixture f;
        f.StationSettings().ColorError = 0x0000FF; // red
        f.Open(Colors);
        QCOMPARE(f.Find<QFrame>("ShapeColorError")->palette().color(QPalette::Window),
                 QColor(255, 0, 0));
        const Settings& s = f.StationSettings();
        QCOMPARE(QColorDialog::customColor(0), ColorsPage::ToQColor(s.ColorCorrect));
        QCOMPARE(QColorDialog::customColor(1), QColor(255, 0, 0));
        for (int pair = 0; pair < 10; ++pair)
            QCOMPARE(QColorDialog::customColor(2 + pair),
                     ColorsPage::ToQColor(s.ColorCollation[size_t(pair)]));
        // 0x00BBGGRR: red in the low byte.
        QCOMPARE(ColorsPage::ToQColor(14218716), QColor(220, 245, 216));
        QCOMPARE(ColorsPage::FromQColor(QColor(245, 216, 239)), 15718645);
    }

    void chosenColourIsAppliedOnlyWhenItDiffers() {
        SettingsDialogFixture f;
        f.Open(Colors);
        const TColor before = f.StationSettings().ColorCollation[2];
        f.Script().Then("ColorDialog", [&](QWidget& window) {
            auto& dialog = static_cast<QColorDialog&>(window);
            QCOMPARE(dialog.currentColor(), ColorsPage::ToQColor(before));
            dialog.accept();
        });
        f.Click("ButtonColorCollation3");
        QVERIFY(!f.ApplyButton(Colors)->isEnabled());
        f.Script().Then("ColorDialog", [](QWidget& window) {
            auto& dialog = static_cast<QColorDialog&>(window);
            dialog.setCurrentColor(QColor(1, 2, 3));
            dialog.accept();
        });
        f.Click("ButtonColorCollation3");
        QVERIFY(f.ApplyButton(Colors)->isEnabled());
        QCOMPARE(f.StationSettings().ColorCollation[2], before);
        f.ClickApply(Colors);
        QCOMPARE(f.StationSettings().ColorCollation[2], 0x030201);
    }

    // ---------------------------------------------------------------- Звук

    void soundEnablingFollowsTheBoxes() {
        SettingsDialogFixture f;
        f.StationSettings().IsUseSound = true;
        f.StationSettings().IsUseDefaultSound = false;
        f.StationSettings().SoundFileName = "bell.wav";
        f.Open(Sound);
        auto* own = f.Find<QCheckBox>("CheckBoxOwnSound");
        auto* file = f.Find<QLineEdit>("EditSoundFileName");
        QVERIFY(own->isChecked() && own->isEnabled());
        QVERIFY(file->isEnabled());
        QCOMPARE(file->text(), QString("bell.wav"));
        f.Click("CheckBoxUseSound");
        QVERIFY(!own->isEnabled());
        QVERIFY(!file->isEnabled());
        QVERIFY(!f.Find<QPushButton>("ButtonChooseSoundDir")->isEnabled());
        QVERIFY(!f.Find<QPushButton>("ButtonTrySound")->isEnabled());
        f.Click("CheckBoxUseSound");
        QVERIFY(f.Find<QPushButton>("ButtonTrySound")->isEnabled());
        f.Click("CheckBoxOwnSound");
        QVERIFY(!file->isEnabled());
    }

    // Which boxes are ticked at "Применить", and the four settings after.
    void soundApplyRules_data() {
        QTest::addColumn<bool>("use");
        QTest::addColumn<bool>("own");
        QTest::addColumn<bool>("isUseSound");
        QTest::addColumn<bool>("isUseDefaultSound");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("fileDir");
        QTest::newRow("no sound") << false << true << false << true << ""
                                  << "";
        QTest::newRow("built-in sound") << true << false << true << true << ""
                                        << "";
        QTest::newRow("own file") << true << true << true << false << "end.wav"
                                  << "/snd/";
    }
    void soundApplyRules() {
        QFETCH(bool, use);
        QFETCH(bool, own);
        QFETCH(bool, isUseSound);
        QFETCH(bool, isUseDefaultSound);
        QFETCH(QString, fileName);
        QFETCH(QString, fileDir);
        SettingsDialogFixture f;
        Settings& s = f.StationSettings();
        s.IsUseSound = true;
        s.IsUseDefaultSound = false;
        f.Open(Sound);
        f.Type("EditSoundFileName", " end.wav ");
        f.Type("EditSoundFileDir", " /snd/ ");
        if (!own)
            f.Click("CheckBoxOwnSound");
        if (!use)
            f.Click("CheckBoxUseSound");
        f.ClickApply(Sound);
        QCOMPARE(s.IsUseSound, isUseSound);
        QCOMPARE(s.IsUseDefaultSound, isUseDefaultSound);
        QCOMPARE(QString::fromStdString(s.SoundFileName), fileName);
        QCOMPARE(QString::fromStdString(s.SoundFileDir), fileDir);
    }

    // The trial plays the built-in sound or the file of the edits, applied
    // or not.
    void soundTrial_data() {
        QTest::addColumn<bool>("own");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("played");
        QTest::newRow("built-in") << false << "/snd"
                                  << "default";
        QTest::newRow("folder without slash") << true << " /snd "
                                              << "/snd/bell.wav";
        QTest::newRow("empty folder: the station's") << true << "  "
                                                     << "@station/bell.wav";
    }
    void soundTrial() {
        QFETCH(bool, own);
        QFETCH(QString, dir);
        QFETCH(QString, played);
        SettingsDialogFixture f;
        f.Open(Sound);
        if (own)
            f.Click("CheckBoxOwnSound");
        f.Type("EditSoundFileName", " bell.wav");
        f.Type("EditSoundFileDir", dir);
        f.Click("ButtonTrySound");
        played.replace("@", f.Folder() + "/");
        QCOMPARE(f.Sound().Played.size(), size_t(1));
        QCOMPARE(QString::fromStdString(f.Sound().Played[0]), played);
    }

    void soundFileChosenFillsNameAndFolder() {
        SettingsDialogFixture f;
        f.Open(Sound);
        f.Click("CheckBoxOwnSound");
        const QString folder = f.Folder() + "/Звуки";
        QVERIFY(QDir().mkpath(folder));
        QFile wav(folder + "/Конец.WAV");
        QVERIFY(wav.open(QIODevice::WriteOnly));
        wav.close();
        QStringList filters;
        f.Script().Then("OpenSoundDialog", [&](QWidget& window) {
            auto& dialog = static_cast<QFileDialog&>(window);
            filters = dialog.nameFilters();
            ModalScript::Type(dialog, "fileNameEdit", wav.fileName());
            static_cast<QDialog&>(dialog).accept();
        });
        f.Click("ButtonChooseSoundFile");
        QCOMPARE(filters, QStringList{"Звуковые файлы (*.wav *.WAV)"});
        QCOMPARE(f.Text("EditSoundFileName"), QString("Конец.WAV"));
        QCOMPARE(f.Text("EditSoundFileDir"), folder + "/");
    }

    // -------------------------------------------------------------- Пароль

    void passwordTabShowsTheStoredPassword() {
        SettingsDialogFixture f;
        f.Open(Password);
        QVERIFY(!f.Find<QCheckBox>("CheckBoxUsePassword")->isChecked());
        QVERIFY(!f.Find<QLineEdit>("EditPassword")->isEnabled());
        f.Click("CheckBoxUsePassword");
        QVERIFY(f.Find<QLineEdit>("EditPassword")->isEnabled());
        QVERIFY(f.ApplyButton(Password)->isEnabled());
        f.Type("EditPassword", "  Секрет 7 ");
        f.ClickApply(Password);
        QCOMPARE(f.Store().ReadString("Student", "Password"),
                 std::optional<std::string>("Секрет 7"));

        f.Form().ShowTab(SaveSettings);
        f.Form().ShowTab(Password);
        QVERIFY(f.Find<QCheckBox>("CheckBoxUsePassword")->isChecked());
        QVERIFY(f.Find<QLineEdit>("EditPassword")->isEnabled());
        QCOMPARE(f.Text("EditPassword"), QString("Секрет 7"));
        QCOMPARE(f.Find<QLineEdit>("EditPassword")->echoMode(), QLineEdit::Normal);
    }

    // The box and the edit at "Применить", and the stored value after.
    void passwordApplyRules_data() {
        QTest::addColumn<bool>("box");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<std::optional<std::string>>("stored");
        QTest::newRow("ticked") << true << " abc " << std::optional<std::string>("abc");
        QTest::newRow("ticked, empty") << true << "  " << std::optional<std::string>("");
        QTest::newRow("cleared with text: deleted")
            << false << "abc" << std::optional<std::string>();
        QTest::newRow("cleared, empty: empty value")
            << false << " " << std::optional<std::string>("");
    }
    void passwordApplyRules() {
        QFETCH(bool, box);
        QFETCH(QString, edit);
        QFETCH(std::optional<std::string>, stored);
        SettingsDialogFixture f;
        QVERIFY(f.Store().WriteString("Student", "Password", "old"));
        f.Open(Password);
        f.Type("EditPassword", edit);
        if (!box)
            f.Click("CheckBoxUsePassword");
        f.ClickApply(Password);
        QCOMPARE(f.Store().ReadString("Student", "Password"), stored);
        // The next opening asks a password only when one is left.
        int asks = 0;
        f.Script().Then("StudentAdditionConfigForm", [](QWidget& window) { window.close(); });
        TStudentAdditionConfigForm::OpenSettings(nullptr, f.Services(), [&] {
            ++asks;
            return std::optional<std::string>("abc");
        });
        QCOMPARE(asks, stored.value_or("").empty() ? 0 : 1);
    }

    // ---------------------------------------------------- Сохр. параметров

    void saveTabChangesAtOnceAndRunsTheCommands() {
        SettingsDialogFixture f;
        f.Open(SaveSettings);
        QVERIFY(f.ApplyButton(SaveSettings) == nullptr);
        QVERIFY(!f.Find<QCheckBox>("CheckBoxUseWindowSettings")->isChecked());
        f.Click("CheckBoxUseWindowSettings");
        QVERIFY(f.StationSettings().IsUseWindowSettings);
        f.Click("CheckBoxSaveConfig");
        QVERIFY(f.StationSettings().IsSaveConfig);

        f.Click("ButtonSaveSettingsNow");
        QCOMPARE(f.Saves, 1);
        // Loading fills the boxes again from what was loaded.
        f.OnLoad = [&f] {
            f.StationSettings().IsSaveConfig = false;
            f.StationSettings().IsUseWindowSettings = false;
        };
        f.Click("ButtonLoadSettingsNow");
        QCOMPARE(f.Loads, 1);
        QVERIFY(!f.Find<QCheckBox>("CheckBoxSaveConfig")->isChecked());
        QVERIFY(!f.Find<QCheckBox>("CheckBoxUseWindowSettings")->isChecked());
    }

    void everyControlHasANameForScreenReaders() {
        SettingsDialogFixture f;
        f.Open();
        for (QWidget* widget : f.Form().findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QLineEdit*>(widget))
                continue;
            if (widget->parent()->inherits("QColorDialog") ||
                widget->objectName().startsWith("qt_"))
                continue;
            QVERIFY2(!widget->objectName().isEmpty(), qPrintable(widget->accessibleName()));
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialogTest.moc"
