// SPDX-License-Identifier: GPL-3.0-or-later
// The task area as a screen reader and desktop automation see it: every
// control a pupil uses is found in the accessible tree by name and role, and
// can be pressed through it.
#include "TaskAreaFixture.h"
#include "support/TaskBuilders.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

namespace tevrix {

using testing::TaskAreaFixture;

namespace {

struct Node {
    QString Name;
    QString Description;
    QAccessible::Role Role;
    QAccessibleInterface* Interface;
};

// The visible nodes below `root`, depth first.
void Collect(QAccessibleInterface* root, QList<Node>& nodes) {
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (!child || child->state().invisible)
            continue;
        nodes.append({child->text(QAccessible::Name), child->text(QAccessible::Description),
                      child->role(), child});
        Collect(child, nodes);
    }
}

} // namespace

class TaskAreaAccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<TaskAreaFixture>(); }
    void cleanup() { m_fixture.reset(); }
    void EveryControlIsFoundByName_data();
    void EveryControlIsFoundByName();
    void AVariantIsPressedThroughTheTree();

private:
    QList<Node> Tree() const {
        QList<Node> nodes;
        Collect(QAccessible::queryAccessibleInterface(m_fixture->Area.get()), nodes);
        return nodes;
    }
    static const Node* Find(const QList<Node>& nodes, const QString& name, QAccessible::Role role) {
        for (const Node& node : nodes)
            if (node.Name == name && node.Role == role)
                return &node;
        return nullptr;
    }
    std::unique_ptr<TaskAreaFixture> m_fixture;
};

void TaskAreaAccessibilityTest::EveryControlIsFoundByName_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("one choice") << 1;
    QTest::newRow("matching") << 4;
    QTest::newRow("word") << 9;
}

void TaskAreaAccessibilityTest::EveryControlIsFoundByName() {
    QFETCH(int, kind);
    TTask task = kind == 4   ? testing::MatchingTask({2, 1}, 2)
                 : kind == 9 ? testing::WordTask("ДОМ")
                             : testing::VariantTask(TaskKind::tkSingleChoice, {0, 1});
    task.Prompt.Bytes = "prompt";
    m_fixture->Area->SetRunActions(true, true);
    m_fixture->Area->SetTaskList({"1) A", "2) B"});
    m_fixture->Area->ShowTask(
        {task, "Вопрос # 1 из 2:", {}, {}, std::string("Показать подсказку?"), {1, 0}, true});
    const QList<Node> nodes = Tree();

    // Read-only rich texts are static text to a screen reader.
    using R = QAccessible::Role;
    QVERIFY(Find(nodes, "Текст вопроса", R::StaticText));
    QVERIFY(Find(nodes, "Показать подсказку?", R::Button));
    QVERIFY(Find(nodes, "Пропустить...", R::Button));
    QVERIFY(Find(nodes, "Дальше (проверить)", R::Button));
    QVERIFY(Find(nodes, "Я не знаю...", R::Button));
    QVERIFY(Find(nodes, "Список заданий", R::ComboBox));
    QVERIFY(Find(nodes, "Пройдено заданий", R::ProgressBar));
    if (kind == 1 || kind == 4) {
        // Slot 0 shows variant 1 ("B"), slot 1 variant 0 ("A").
        const R choice = kind == 1 ? R::RadioButton : R::ComboBox;
        const Node* first = Find(nodes, "Вариант 1", choice);
        const Node* second = Find(nodes, "Вариант 2", choice);
        QVERIFY(first && second);
        QCOMPARE(first->Description, QString("B"));
        QCOMPARE(second->Description, QString("A"));
        QVERIFY(Find(nodes, "Текст варианта 1", R::StaticText));
        QVERIFY(Find(nodes, "Текст варианта 2", R::StaticText));
        QVERIFY(!Find(nodes, "Вариант 3", choice) ||
                (Find(nodes, "Вариант 3", choice)->Interface->state().disabled));
    }
    if (kind == 4) {
        QVERIFY(Find(nodes, "Элемент справа 1", R::StaticText));
        QVERIFY(Find(nodes, "Элемент справа 2", R::StaticText));
    }
    if (kind == 9) {
        const Node* word = nullptr;
        for (const Node& node : nodes)
            if (node.Name == "Слово из букв")
                word = &node;
        QVERIFY(word);
        const QString letters = m_fixture->Word()->Word();
        QVERIFY2(word->Description.contains(QStringList(letters.begin(), letters.end()).join(' ')),
                 qPrintable(word->Description));
        QVERIFY(word->Interface->state().focusable);
    }
}

void TaskAreaAccessibilityTest::AVariantIsPressedThroughTheTree() {
    m_fixture->Show(testing::VariantTask(TaskKind::tkSingleChoice, {0, 1, 0}));
    const Node* second = Find(Tree(), "Вариант 2", QAccessible::RadioButton);
    QVERIFY(second);
    QAccessibleActionInterface* actions = second->Interface->actionInterface();
    QVERIFY(actions);
    const QStringList names = actions->actionNames();
    const QString press = names.contains(QAccessibleActionInterface::toggleAction())
                              ? QAccessibleActionInterface::toggleAction()
                              : QAccessibleActionInterface::pressAction();
    actions->doAction(press);
    QVERIFY(m_fixture->Radio(1)->isChecked());
    QVERIFY(m_fixture->Area->CheckEnabled());
}

} // namespace tevrix

QTEST_MAIN(tevrix::TaskAreaAccessibilityTest)
#include "TaskAreaAccessibilityTest.moc"
