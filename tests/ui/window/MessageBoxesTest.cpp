// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes and the text viewer as the pupil sees them.

#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/TextViewForm.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/window/ModalScript.h"

#include <QMessageBox>
#include <QtTest>

using namespace tevrix;
using tevrix::testing::ModalScript;

Q_DECLARE_METATYPE(tevrix::MessageIcon)
Q_DECLARE_METATYPE(tevrix::MessageButtons)
Q_DECLARE_METATYPE(tevrix::MessageReply)

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void boxes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("shownCaption");
        QTest::addColumn<QString>("shownText");
        QTest::addColumn<int>("shownIcon");
        QTest::addColumn<QStringList>("shownButtons");
        QTest::addColumn<MessageReply>("reply");
        QTest::newRow("plain box: the application's title, OK, no icon")
            << "Ошибка запуска стандартного калькулятора"
            << "" << MessageIcon::None << MessageButtons::Ok << "OKButton"
            << "TevrixStudent"
            << "Ошибка запуска стандартного калькулятора" << int(QMessageBox::NoIcon)
            << QStringList{"OK"} << MessageReply::Ok;
        QTest::newRow("wrong password: error icon")
            << "Неверный пароль!"
            << "Ошибка!" << MessageIcon::Error << MessageButtons::Ok << "OKButton"
            << "Ошибка!"
            << "Неверный пароль!" << int(QMessageBox::Critical) << QStringList{"OK"}
            << MessageReply::Ok;
        QTest::newRow("leave during a run: Yes")
            << "Вы желаете выйти из программы во время теста?"
            << "Внимание! Идет тест..." << MessageIcon::Question << MessageButtons::YesNo
            << "YesButton"
            << "Внимание! Идет тест..."
            << "Вы желаете выйти из программы во время теста?" << int(QMessageBox::Question)
            << QStringList{"Да", "Нет"} << MessageReply::Yes;
        QTest::newRow("leave during a run: No")
            << "Вы желаете выйти из программы во время теста?"
            << "Внимание! Идет тест..." << MessageIcon::Question << MessageButtons::YesNo
            << "NoButton"
            << "Внимание! Идет тест..."
            << "Вы желаете выйти из программы во время теста?" << int(QMessageBox::Question)
            << QStringList{"Да", "Нет"} << MessageReply::No;
        QTest::newRow("CR LF breaks become one break")
            << "Тест закончен... \r\nРезультаты тестирования"
            << "Внимание!" << MessageIcon::Information << MessageButtons::Ok << "OKButton"
            << "Внимание!"
            << "Тест закончен... \nРезультаты тестирования" << int(QMessageBox::Information)
            << QStringList{"OK"} << MessageReply::Ok;
    }
    void boxes() {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        QFETCH(QString, press);
        QFETCH(QString, shownCaption);
        QFETCH(QString, shownText);
        QFETCH(int, shownIcon);
        QFETCH(QStringList, shownButtons);
        QFETCH(MessageReply, reply);
        QString seenCaption, seenText;
        int seenIcon = -1;
        QStringList seenButtons;
        ModalScript script;
        script.Then("MessageBox", [&](QWidget& window) {
            auto& box = static_cast<QMessageBox&>(window);
            seenCaption = box.windowTitle();
            seenText = box.text();
            seenIcon = box.icon();
            for (QAbstractButton* button : box.buttons())
                seenButtons << button->text();
            QTest::mouseClick(box.findChild<QPushButton*>(press), Qt::LeftButton);
        });
        const MessageReply got =
            ShowMessageBox(nullptr, {text.toStdString(), caption.toStdString(), icon, buttons});
        QCOMPARE(got, reply);
        QCOMPARE(seenCaption, shownCaption);
        QCOMPARE(seenText, shownText);
        QCOMPARE(seenIcon, shownIcon);
        seenButtons.sort();
        shownButtons.sort();
        QCOMPARE(seenButtons, shownButtons);
    }

    void viewerZoomsByFivePercent_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("zoom");
        QTest::newRow("four times +") << "++++" << 120;
        QTest::newRow("- once") << "-" << 95;
        QTest::newRow("+ then -") << "+-" << 100;
    }
    void viewerZoomsByFivePercent() {
        QFETCH(QString, keys);
        QFETCH(int, zoom);
        int seenZoom = 0;
        QString caption;
        ModalScript script;
        script.Then("TextViewForm", [&](QWidget& window) {
            auto* viewer = window.findChild<RichTextArea*>("Viewer");
            viewer->setFocus();
            for (const QChar key : keys)
                QTest::keyClick(viewer, key.toLatin1());
            seenZoom = viewer->Zoom();
            caption = window.windowTitle();
            QTest::mouseClick(window.findChild<QPushButton*>("bbOK"), Qt::LeftButton);
        });
        QVERIFY(TTextViewForm::ShowTextViewer(nullptr, RichText{"Текст"}, QString()));
        QCOMPARE(seenZoom, zoom);
        QCOMPARE(caption, QString("Просмотр"));
    }

    void viewerClosedOtherwiseIsNoOk() {
        QString caption;
        ModalScript script;
        script.Then("TextViewForm", [&](QWidget& window) {
            caption = window.windowTitle();
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        QVERIFY(!TTextViewForm::ShowTextViewer(nullptr, RichText{"{\\rtf1 Подсказка}"},
                                               "Подсказка к заданию..."));
        QCOMPARE(caption, QString("Подсказка к заданию..."));
    }
};

QTEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"
