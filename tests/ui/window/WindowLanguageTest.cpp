// SPDX-License-Identifier: GPL-3.0-or-later
// The station's interface language: chosen by the language file when the
// window is made, switched by the three language commands during a run.

#include "text/InterfaceLanguage.h"
#include "ui/StudentMainForm.h"
#include "ui/dialogs/InputPasswordForm.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/taskarea/TaskAreaWidget.h"
#include "ui/widgets/StatusPanels.h"
#include "ui/window/ModalScript.h"
#include "ui/window/WindowFixture.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace tevrix;
using tevrix::testing::ModalScript;
using tevrix::testing::WindowFixture;

namespace {

// What the window shows in one language, for the checks below.
struct Speech {
    QString OptionsMenu;
    QString OpenCommand;
    QString NoTestPanel;
    QString RunningPanel;
    QString CheckButton;
    QString NoTestText;
    QString WrongFileMessage;
    QString VariantLabelStart;
    QString StopQuestion;
};

const Speech kRussianSpeech{"Настройка",
                            "&Открыть...",
                            "Тест не выбран",
                            "Тест идет",
                            "Дальше (проверить)",
                            "Для начала работы выберите тест!...",
                            "Неверный тип файла с тестом!",
                            "Выберите один из ",
                            "Вы желаете остановить тест?"};
const Speech kUkrainianSpeech{"Налаштування",
                              "&Відкрити...",
                              "Тест не вибрано",
                              "Тест триває",
                              "Далі (перевірити)",
                              "Щоб почати роботу, виберіть тест!...",
                              "Неправильний тип файлу з тестом!",
                              "Виберіть один із ",
                              "Ви бажаєте зупинити тест?"};
const Speech kBelarusianSpeech{"Налады",
                               "&Адкрыць...",
                               "Тэст не выбраны",
                               "Тэст ідзе",
                               "Далей (праверыць)",
                               "Каб пачаць працу, выберыце тэст!...",
                               "Няправільны тып файла з тэстам!",
                               "Выберыце адзін з ",
                               "Вы жадаеце спыніць тэст?"};

const Speech& SpeechOf(const QString& language) {
    if (language == "uk")
        return kUkrainianSpeech;
    if (language == "be")
        return kBelarusianSpeech;
    return kRussianSpeech;
}

} // namespace

class WindowLanguageTest : public WindowFixture {
    Q_OBJECT

private:
    // The window on a station folder whose language file holds `text`
    // (no file when it is empty).
    void SetUpWindowWithLanguageFile(const QByteArray& text) {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toUtf8());
        if (!text.isEmpty()) {
            QFile file(StationDir() + "language.txt");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        SetUpWindow();
    }

    QString MenuTitle(const char* name) const { return m_window->findChild<QMenu*>(name)->title(); }
    QString ButtonText(const char* name) const {
        return m_window->TaskArea().findChild<QPushButton*>(name)->text();
    }
    QString VariantLabel() const {
        return m_window->TaskArea().findChild<QLabel*>("VariantLabel")->text();
    }

    // The window's texts that do not depend on the program state.
    void CheckWindowSpeaks(const Speech& speech) {
        QCOMPARE(MenuTitle("miOptions"), speech.OptionsMenu);
        QCOMPARE(m_window->findChild<QMenu*>("miOptions")->accessibleName(), speech.OptionsMenu);
        QCOMPARE(Action("AOpenTest")->text(), speech.OpenCommand);
        QCOMPARE(ButtonText("BitBtnGoCheck"), speech.CheckButton);
    }

    // The text of the message box that `action` shows, closed with OK.
    QString MessageOf(const std::function<void()>& action) {
        QString text;
        ModalScript script;
        script.Then("MessageBox", [&text](QWidget& box) {
            text = static_cast<QMessageBox&>(box).text();
            DeclineOrConfirm(box);
        });
        action();
        Idle();
        return text;
    }

private slots:
    void initTestCase() { BindCatalogues(TEVRIX_CATALOGUE_DIR); }
    void cleanup() {
        TearDownWindow();
        UseLanguage(tevrix::kRussian);
    }

    void languageFileChoosesTheLanguage_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("language");
        QTest::newRow("no language file") << QByteArray() << "ru";
        QTest::newRow("language=uk") << QByteArray("language=uk\r\n") << "uk";
        QTest::newRow("language=UK is no language") << QByteArray("language=UK\r\n") << "ru";
        QTest::newRow("language=be") << QByteArray("Language = be\n") << "be";
    }
    void languageFileChoosesTheLanguage() {
        QFETCH(QByteArray, file);
        QFETCH(QString, language);
        SetUpWindowWithLanguageFile(file);
        Idle();
        const Speech& speech = SpeechOf(language);
        CheckWindowSpeaks(speech);
        QCOMPARE(m_window->Panels().PanelText(0), speech.NoTestPanel);
        auto* question = m_window->TaskArea().findChild<RichTextArea*>("QuestionText");
        QCOMPARE(question->toPlainText(), speech.NoTestText);
        // A message shown by the engine.
        QFile broken(StationDir() + "broken.tvf");
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a test at all");
        broken.close();
        QCOMPARE(MessageOf([&] { m_window->OpenTestFile(broken.fileName()); }),
                 speech.WrongFileMessage);
    }

    void commandsSwitchTheLanguageDuringARun() {
        SetUpWindowWithLanguageFile({});
        OpenDemo();
        BeginRun();
        const QString passwordTitle = m_window->PasswordForm().windowTitle();
        const struct {
            const char* Command;
            const char* Language;
        } switches[] = {{"ALanguageUkrainian", "uk"},
                        {"ALanguageBelarusian", "be"},
                        {"ALanguageRussian", "ru"},
                        {"ALanguageUkrainian", "uk"}};
        for (const auto& change : switches) {
            Action(change.Command)->trigger();
            const Speech& speech = SpeechOf(change.Language);
            QCOMPARE(CurrentLanguage(), std::string(change.Language));
            // At once, before the window is idle again.
            CheckWindowSpeaks(speech);
            QVERIFY2(VariantLabel().startsWith(speech.VariantLabelStart),
                     qPrintable(VariantLabel()));
            Idle();
            QCOMPARE(m_window->Panels().PanelText(0), speech.RunningPanel);
            // Windows made at start-up keep their texts.
            QCOMPARE(m_window->PasswordForm().windowTitle(), passwordTitle);
        }
        QCOMPARE(State(), ProgramState::TestRunning);
        // Messages from now on speak the new language.
        ModalScript script;
        QString question;
        script.Then("MessageBox", [&question](QWidget& box) {
            question = static_cast<QMessageBox&>(box).text();
            QTest::mouseClick(box.findChild<QPushButton*>("NoButton"), Qt::LeftButton);
        });
        Action("AEndTest")->trigger();
        Idle();
        QCOMPARE(question, kUkrainianSpeech.StopQuestion);
        QCOMPARE(State(), ProgramState::TestRunning);
    }

    void aSwitchedIdleWindowShowsItsIdleTextsAnew() {
        SetUpWindowWithLanguageFile("language=be");
        Action("ALanguageUkrainian")->trigger();
        Idle();
        auto* question = m_window->TaskArea().findChild<RichTextArea*>("QuestionText");
        QCOMPARE(question->toPlainText(), kUkrainianSpeech.NoTestText);
        QCOMPARE(m_window->Panels().PanelText(0), kUkrainianSpeech.NoTestPanel);
        QCOMPARE(m_window->TaskArea().findChild<QLabel*>("QuestionLabel")->text(),
                 QString("Інформація"));
        QVERIFY(VariantLabel().startsWith(kUkrainianSpeech.VariantLabelStart));
    }
};

QTEST_MAIN(WindowLanguageTest)
#include "WindowLanguageTest.moc"
