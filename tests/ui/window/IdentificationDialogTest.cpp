// SPDX-License-Identifier: GPL-3.0-or-later
// The identification and password dialogs, driven by clicks and keys.

#include "config/Settings.h"
#include "ui/dialogs/InputPasswordForm.h"
#include "ui/dialogs/InputUserNameForm.h"
#include "ui/widgets/BalloonHint.h"
#include "ui/window/ModalScript.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace tevrix;
using tevrix::testing::ModalScript;

namespace {

IdentificationSetup DefaultSetup(const std::string& name = "Фамилия Имя",
                                 const std::string& group = "Класс") {
    const Settings defaults;
    return {{name, group},
            defaults.TitleUserName,
            defaults.TitleUserGroup,
            {defaults.UserNameExpression, defaults.UserGroupExpression, defaults.UserNameExample,
             defaults.UserGroupExample}};
}

} // namespace

class IdentificationDialogTest : public QObject {
    Q_OBJECT

private slots:
    void greetingByHour_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QString>("greeting");
        QTest::newRow("midnight") << 0 << "Доброй ночи! Как Вас Зовут?";
        QTest::newRow("05:59") << 5 << "Доброй ночи! Как Вас Зовут?";
        QTest::newRow("06:00") << 6 << "Доброе утро! Как Вас Зовут?";
        QTest::newRow("11:59") << 11 << "Доброе утро! Как Вас Зовут?";
        QTest::newRow("12:00") << 12 << "Добрый день! Как Вас Зовут?";
        QTest::newRow("17:59") << 17 << "Добрый день! Как Вас Зовут?";
        QTest::newRow("18:00") << 18 << "Добрый вечер! Как Вас Зовут?";
        QTest::newRow("23:59") << 23 << "Добрый вечер! Как Вас Зовут?";
    }
    void greetingByHour() {
        QFETCH(int, hour);
        QFETCH(QString, greeting);
        TInputUserNameForm form;
        form.SetHourSource([hour] { return hour; });
        QString shown;
        ModalScript script;
        script.Then("InputUserNameForm", [&](QWidget& window) {
            shown = window.findChild<QLabel*>("HelloLabel")->text();
            static_cast<QDialog&>(window).reject();
        });
        QVERIFY(!form.Identify(DefaultSetup()));
        QCOMPARE(shown, greeting);
    }

    // What the pupil types, and whether the dialog lets it through.
    void checkOnOk_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("balloonField");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<QString>("balloonText");
        QTest::newRow("example name with extra blanks") << "  Иванов   Иван "
                                                        << "10 А" << true << ""
                                                        << "Иванов Иван"
                                                        << "";
        QTest::newRow("Ё and ё pass the Cyrillic ranges") << "Ёлкин Пётр"
                                                          << "11 б" << true << ""
                                                          << "Ёлкин Пётр"
                                                          << "";
        QTest::newRow("lower-case name fails at the name")
            << "иванов Иван"
            << "10 А" << false << "UserName"
            << "иванов Иван"
            << "Не соответствует шаблону!\nОбразец: \"Иванов Иван\".";
        QTest::newRow("group 12 А fails at the group")
            << "Иванов Иван"
            << "12 А" << false << "UserGroup"
            << "Иванов Иван"
            << "Не соответствует шаблону!\nОбразец: \"10 А\".";
        QTest::newRow("both fail: the balloon is at the name")
            << "ivanov"
            << "x" << false << "UserName"
            << "ivanov"
            << "Не соответствует шаблону!\nОбразец: \"Иванов Иван\".";
    }
    void checkOnOk() {
        QFETCH(QString, name);
        QFETCH(QString, group);
        QFETCH(bool, accepted);
        QFETCH(QString, balloonField);
        QFETCH(QString, nameAfter);
        QFETCH(QString, balloonText);
        TInputUserNameForm form;
        QString balloonAt, balloonHeader, shownText, nameShown;
        bool stayedOpen = false;
        ModalScript script;
        script.Then("InputUserNameForm", [&](QWidget& window) {
            ModalScript::Type(window, "UserName", name);
            ModalScript::Type(window, "UserGroup", group);
            QTest::mouseClick(window.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
            nameShown = window.findChild<QLineEdit*>("UserName")->text();
            stayedOpen = window.isVisible();
            if (QWidget* field = form.Balloon().Field())
                balloonAt = field->objectName();
            balloonHeader = form.Balloon().Header();
            shownText = form.Balloon().Text();
            if (stayedOpen)
                static_cast<QDialog&>(window).reject();
        });
        QCOMPARE(form.Identify(DefaultSetup()), accepted);
        QCOMPARE(stayedOpen, !accepted);
        QCOMPARE(nameShown, nameAfter);
        QCOMPARE(balloonAt, balloonField);
        if (!accepted) {
            QCOMPARE(balloonHeader, QString("Ошибка ввода!"));
            QCOMPARE(shownText, balloonText);
        } else {
            QCOMPARE(QString::fromStdString(form.Fields().Name), nameAfter);
        }
    }

    void balloonGoesAfterFiveSeconds() {
        QWidget host;
        auto* field = new QLineEdit(&host);
        host.show();
        BalloonHint balloon(&host);
        balloon.ShowAt(field, "Ошибка ввода!", "текст");
        QVERIFY(balloon.isVisible());
        QTest::qWait(BalloonHint::kLifetimeMs - 1000);
        QVERIFY(balloon.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!balloon.isVisible(), 2000);
    }

    void firstClickEmptiesTheHintKeyboardKeepsIt() {
        TInputUserNameForm form;
        QString afterKeyboard, afterClick, afterSecondClick;
        ModalScript script;
        script.Then("InputUserNameForm", [&](QWidget& window) {
            auto* name = window.findChild<QLineEdit*>("UserName");
            auto* group = window.findChild<QLineEdit*>("UserGroup");
            // Tab into the group keeps its hint.
            QTest::keyClick(name, Qt::Key_Tab);
            afterKeyboard = group->text();
            QTest::mouseClick(name, Qt::LeftButton);
            afterClick = name->text();
            ModalScript::TypeText(name, "Петров");
            QTest::mouseClick(name, Qt::LeftButton);
            afterSecondClick = name->text();
            static_cast<QDialog&>(window).reject();
        });
        QVERIFY(!form.Identify(DefaultSetup()));
        QCOMPARE(afterKeyboard, QString("Класс"));
        QCOMPARE(afterClick, QString());
        QCOMPARE(afterSecondClick, QString("Петров"));
    }

    void passwordDialog_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("entered");
        QTest::newRow("OK trims") << "  секрет "
                                  << "OKButton" << true << "секрет";
        QTest::newRow("case kept") << "Secret"
                                   << "OKButton" << true << "Secret";
        QTest::newRow("cancel") << "секрет"
                                << "CancelButton" << false << "секрет";
    }
    void passwordDialog() {
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(bool, confirmed);
        QFETCH(QString, entered);
        TInputPasswordForm form;
        QString caption;
        QLineEdit::EchoMode echoBefore{}, echoTicked{};
        ModalScript script;
        script.Then("InputPasswordForm", [&](QWidget& window) {
            caption = window.windowTitle();
            auto* edit = window.findChild<QLineEdit*>("EditInputPassword");
            echoBefore = edit->echoMode();
            QVERIFY(edit->text().isEmpty());
            ModalScript::TypeText(edit, typed);
            QTest::mouseClick(window.findChild<QCheckBox*>("CheckBoxPasswordChar"), Qt::LeftButton);
            echoTicked = edit->echoMode();
            QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
        });
        const auto result = form.AskPassword();
        QCOMPARE(caption, QString("Введите пароль"));
        QCOMPARE(echoBefore, QLineEdit::Password);
        QCOMPARE(echoTicked, QLineEdit::Normal);
        QCOMPARE(result.has_value(), confirmed);
        QCOMPARE(QString::fromStdString(form.EnteredText()), entered);
        // Shown again, it starts empty and masked.
        ModalScript again;
        QString textAgain = "x";
        again.Then("InputPasswordForm", [&](QWidget& window) {
            auto* edit = window.findChild<QLineEdit*>("EditInputPassword");
            textAgain = edit->text();
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            static_cast<QDialog&>(window).reject();
        });
        QVERIFY(!form.AskPassword());
        QCOMPARE(textAgain, QString());
    }
};

QTEST_MAIN(IdentificationDialogTest)
#include "IdentificationDialogTest.moc"
