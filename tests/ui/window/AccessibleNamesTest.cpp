// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the station: every control a pupil or a
// teacher can use, in the main window, its menus, the status bar, the task
// list and each dialog, carries an accessible name.

#include "ui/dialogs/InputPasswordForm.h"
#include "ui/window/WindowFixture.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace tevrix;
using tevrix::testing::ModalScript;
using tevrix::testing::WindowFixture;

namespace {

// The roles of what a person acts on; scroll bars are left out, they come
// with every text area and name themselves by their orientation.
bool IsInteractive(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::MenuItem:
    case QAccessible::MenuBar:
    case QAccessible::PopupMenu:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::List:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link: return true;
    default: return false;
    }
}

QString Describe(QAccessibleInterface* node) {
    QObject* object = node->object();
    return QStringLiteral("%1 (role %2)")
        .arg(object != nullptr && !object->objectName().isEmpty() ? object->objectName()
             : object != nullptr ? object->metaObject()->className()
                                 : QStringLiteral("?"))
        .arg(int(node->role()));
}

// The visible interactive nodes below `node` (itself included) that have no
// name; separators of menus have none by nature.
void CollectNameless(QAccessibleInterface* node, QStringList& nameless) {
    if (node == nullptr || node->state().invisible)
        return;
    const bool interactive = IsInteractive(node->role()) || node->state().focusable;
    if (interactive && node->role() != QAccessible::Separator &&
        node->text(QAccessible::Name).trimmed().isEmpty())
        nameless << Describe(node);
    for (int i = 0; i < node->childCount(); ++i)
        CollectNameless(node->child(i), nameless);
}

QStringList Nameless(QWidget* window) {
    QStringList nameless;
    CollectNameless(QAccessible::queryAccessibleInterface(window), nameless);
    return nameless;
}

} // namespace

class AccessibleNamesTest : public WindowFixture {
    Q_OBJECT

private:
    // Walks every modal window that comes to the front and closes it as
    // `close` says.
    QStringList m_namelessInDialogs;
    QStringList m_dialogsWalked;

    ModalScript::Action Walk(ModalScript::Action close) {
        return [this, close](QWidget& window) {
            m_dialogsWalked << window.objectName();
            for (const QString& name : Nameless(&window))
                m_namelessInDialogs << window.objectName() + ": " + name;
            close(window);
        };
    }
    void ExpectNamed(QWidget* window, const char* where) {
        const QStringList nameless = Nameless(window);
        QVERIFY2(nameless.isEmpty(), qPrintable(QString(where) + ": " + nameless.join(", ")));
    }

private slots:
    void init() {
        m_namelessInDialogs.clear();
        m_dialogsWalked.clear();
        SetUpWindow();
    }
    void cleanup() { TearDownWindow(); }

    void mainWindowMenusAndStatusBar() {
        ExpectNamed(m_window.get(), "no test");
        OpenDemo();
        ExpectNamed(m_window.get(), "a test open");
        // The station's menus and submenus (not the menu bar's own overflow
        // menu, which has no items of the station).
        QList<QMenu*> menus;
        for (QAction* item : m_window->menuBar()->actions())
            menus << item->menu();
        for (qsizetype i = 0; i < menus.size(); ++i)
            for (QAction* item : menus[i]->actions())
                if (item->menu() != nullptr)
                    menus << item->menu();
        QVERIFY(menus.size() >= 5);
        for (QMenu* menu : menus) {
            menu->popup(m_window->mapToGlobal(QPoint(10, 10)));
            QTRY_VERIFY(menu->isVisible());
            ExpectNamed(menu, qPrintable(menu->objectName()));
            for (QAction* action : menu->actions())
                QVERIFY2(action->isSeparator() || !action->text().remove('&').isEmpty(),
                         qPrintable(menu->objectName() + ": " + action->objectName()));
            menu->hide();
        }
        QAccessibleInterface* statusBar =
            QAccessible::queryAccessibleInterface(m_window->findChild<QWidget*>("StatusBar"));
        QVERIFY(statusBar != nullptr);
        QCOMPARE(statusBar->text(QAccessible::Name), QString("Строка состояния"));
    }

    // A run: the task area, the task list and the dialogs on the way.
    void aRunAndItsDialogs() {
        OpenDemo();
        ModalScript script;
        script.Then("InputUserNameForm", Walk([](QWidget& window) {
                        ModalScript::Type(window, "UserName", "Иванов Иван");
                        ModalScript::Type(window, "UserGroup", "10 А");
                        QTest::mouseClick(window.findChild<QPushButton*>("OKButton"),
                                          Qt::LeftButton);
                    }));
        script.Always("TextViewForm", Walk(&WindowFixture::CloseViewer));
        script.Always("MessageBox", Walk(&WindowFixture::DeclineOrConfirm));
        script.Always("TestInfoForm", Walk([](QWidget& window) {
                          QTest::mouseClick(window.findChild<QPushButton*>("OKButton"),
                                            Qt::LeftButton);
                      }));
        Action("ATestInfo")->trigger();
        Idle();
        Action("ABeginTest")->trigger();
        Idle();
        QCOMPARE(State(), ProgramState::TestRunning);
        auto* taskList = m_window->findChild<QWidget*>("ComboBoxEx1");
        QVERIFY(taskList != nullptr && taskList->isVisible());
        ExpectNamed(m_window.get(), "a run");
        // A wrong answer brings the question about the explanation.
        const std::vector<int32_t>& order = m_window->Engine().Record()->VariantOrder;
        const int wrongSlot = order[0] == 1 ? 1 : 0; // the second variant is the right one
        auto* radio = m_window->findChild<QAbstractButton*>(
            QStringLiteral("VariantRadioButton%1").arg(wrongSlot));
        QTest::mouseClick(radio, Qt::LeftButton);
        QTest::mouseClick(m_window->findChild<QAbstractButton*>("BitBtnGoCheck"), Qt::LeftButton);
        Idle();
        QTRY_VERIFY(m_dialogsWalked.contains("InputUserNameForm"));
        for (const char* dialog : {"TestInfoForm", "TextViewForm", "MessageBox"})
            QVERIFY2(m_dialogsWalked.contains(dialog), dialog);
        QVERIFY2(m_namelessInDialogs.isEmpty(), qPrintable(m_namelessInDialogs.join(", ")));
    }

    void passwordDialog() {
        ModalScript script;
        script.Then("InputPasswordForm", Walk([](QWidget& window) {
                        QTest::mouseClick(window.findChild<QPushButton*>("CancelButton"),
                                          Qt::LeftButton);
                    }));
        QVERIFY(!m_window->PasswordForm().AskPassword());
        QCOMPARE(m_dialogsWalked, QStringList{"InputPasswordForm"});
        QVERIFY2(m_namelessInDialogs.isEmpty(), qPrintable(m_namelessInDialogs.join(", ")));
    }
};

QTEST_MAIN(AccessibleNamesTest)
#include "AccessibleNamesTest.moc"
