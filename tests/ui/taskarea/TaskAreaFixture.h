// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A task area on screen and the hands of a pupil: clicks and keys on the real
// controls, found by their object names.
#include "frontend/TaskArea.h"
#include "model/Task.h"
#include "rules/EnteredAnswer.h"
#include "support/ScriptedRandom.h"
#include "ui/taskarea/TaskAreaWidget.h"
#include "ui/taskarea/WordPanel.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace tevrix::testing {

// Plain text in the test file's code page: ASCII passes as it is.
inline RichText Plain(const std::string& ascii) {
    return RichText{ascii};
}

class TaskAreaFixture {
public:
    TaskAreaFixture() {
        Area = std::make_unique<TaskAreaWidget>();
        Area->resize(800, 700);
        Area->SetRandomSource(&Random);
        Area->SetMessageHandler([this](const QString& text) {
            Messages.append(text);
            UpdatesWhileMessage.append(Area->window()->updatesEnabled());
        });
        Area->SetBeep([this] { ++Beeps; });
        Area->SetDecimalSeparator(QLatin1Char(','));
        Area->show();
        QVERIFY(QTest::qWaitForWindowExposed(Area.get()));
        Area->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Area.get()));
        Area->SetRunning(true);
    }

    // Shows `task` with the slots in `order` (identity when empty).
    void Show(const TTask& task, std::vector<int32_t> order = {}, std::string picture = {}) {
        if (order.empty()) {
            const int count = IsVariantKind(task.Kind) ? task.VariantCount()
                              : task.Kind == TaskKind::tkNumberInput
                                  ? std::max<int>(1, task.NumberCount)
                                  : 0;
            order.resize(size_t(count));
            std::iota(order.begin(), order.end(), 0);
        }
        Order = order;
        Task = task;
        Area->ShowTask({Task, "Вопрос # 1 из 9:", picture, {}, {}, Order, false});
        QCoreApplication::processEvents();
    }

    template <typename T> T* Find(const QString& name) const {
        T* widget = Area->findChild<T*>(name);
        if (!widget)
            qWarning("no control %s", qPrintable(name));
        return widget;
    }
    QRadioButton* Radio(int slot) const {
        return Find<QRadioButton>(QStringLiteral("VariantRadioButton%1").arg(slot));
    }
    QCheckBox* Check(int slot) const {
        return Find<QCheckBox>(QStringLiteral("VariantCheckBox%1").arg(slot));
    }
    QComboBox* List(int slot) const {
        return Find<QComboBox>(QStringLiteral("VariantComboBox%1").arg(slot));
    }
    QLineEdit* NumberField(int i) const {
        return Find<QLineEdit>(QStringLiteral("EditNum%1").arg(i));
    }
    QPushButton* CheckButton() const { return Find<QPushButton>("BitBtnGoCheck"); }
    TWordPanel* Word() const { return Find<TWordPanel>("WordPanel"); }
    QWidget* Image() const { return Find<QWidget>("Image"); }

    // Opens a list's drop-down with the mouse, points at the entry with the
    // mouse and takes it. On the offscreen platform the drop-down never sees
    // the release of a click on an entry, so the entry the mouse points at is
    // taken with Enter, as the drop-down also allows.
    static void ChooseByMouse(QComboBox* list, int entry) {
        QTest::mouseClick(list, Qt::LeftButton);
        QAbstractItemView* view = list->view();
        QTRY_VERIFY(view->isVisible());
        const QPoint at = view->visualRect(list->model()->index(entry, 0)).center();
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(view->currentIndex().row(), entry);
        QTest::keyClick(view, Qt::Key_Return);
        QTRY_VERIFY(!view->isVisible());
    }

    // Types characters as the pupil does: to whatever has the focus (or to
    // `target`), each as a key press and release carrying its text.
    void Type(const QString& characters, QWidget* target = nullptr) {
        for (const QChar character : characters) {
            QWidget* receiver = target                        ? target
                                : QApplication::focusWidget() ? QApplication::focusWidget()
                                                              : static_cast<QWidget*>(Area.get());
            const int key = character.isDigit() ? Qt::Key_0 + character.digitValue()
                            : character == '-'  ? Qt::Key_Minus
                            : character == ','  ? Qt::Key_Comma
                            : character == '.'  ? Qt::Key_Period
                            : character == ' '  ? Qt::Key_Space
                                                : Qt::Key_unknown;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
            QApplication::sendEvent(receiver, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
            QApplication::sendEvent(receiver, &release);
        }
    }

    // Composes `target` from the panel's letters by clicking cells in pairs.
    void ComposeByMouse(const QString& target) { ComposeByMouse(Word(), target); }
    static void ComposeByMouse(TWordPanel* panel, const QString& target) {
        QVERIFY(panel != nullptr);
        for (int i = 0; i < target.size(); ++i) {
            const QString word = panel->Word();
            if (word[i] == target[i])
                continue;
            const int j = int(word.indexOf(target[i], i + 1));
            QVERIFY(j > i);
            QTest::mouseClick(panel, Qt::LeftButton, {}, CellCentre(*panel, i));
            QTest::mouseClick(panel, Qt::LeftButton, {}, CellCentre(*panel, j));
        }
    }
    void ComposeByKeyboard(const QString& target) {
        TWordPanel* panel = Word();
        panel->setFocus();
        int at = 0; // the focus frame starts on the first cell
        const auto moveTo = [&](int cell) {
            for (; at < cell; ++at)
                QTest::keyClick(panel, Qt::Key_Right);
            for (; at > cell; --at)
                QTest::keyClick(panel, Qt::Key_Left);
        };
        for (int i = 0; i < target.size(); ++i) {
            const QString word = panel->Word();
            if (word[i] == target[i])
                continue;
            const int j = int(word.indexOf(target[i], i + 1));
            QVERIFY(j > i);
            moveTo(i);
            QTest::keyClick(panel, Qt::Key_Space);
            moveTo(j);
            QTest::keyClick(panel, Qt::Key_Space);
        }
    }
    static QPoint CellCentre(const TWordPanel& panel, int cell) {
        const TWordPanel::CellRect& rect = panel.Cells()[size_t(cell)];
        return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    }

    // A picture file in a folder of its own; the full path.
    std::string WritePicture(const QString& name, QSize size, QColor color = Qt::blue) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        const QString path = Folder.filePath(name);
        image.save(path, "PNG");
        return path.toStdString();
    }

    // The answer in one line, so that a table can compare it.
    static QString Describe(const EnteredAnswer& answer) {
        QStringList parts;
        if (const auto* single = std::get_if<SingleChoiceAnswer>(&answer))
            return "single:" +
                   (single->SelectedSlot ? QString::number(*single->SelectedSlot) : "none");
        if (const auto* multiple = std::get_if<MultipleChoiceAnswer>(&answer)) {
            for (const bool ticked : multiple->Ticked)
                parts.append(ticked ? "1" : "0");
            return "ticked:" + parts.join(',');
        }
        if (const auto* entries = std::get_if<ChosenEntriesAnswer>(&answer)) {
            for (const int entry : entries->Chosen)
                parts.append(QString::number(entry));
            return "entries:" + parts.join(',');
        }
        if (const auto* numbers = std::get_if<NumberFieldsAnswer>(&answer)) {
            for (const std::string& field : numbers->Fields)
                parts.append(QString::fromStdString(field));
            return "numbers:" + parts.join('|');
        }
        if (const auto* text = std::get_if<TypedTextAnswer>(&answer))
            return "text:[" + QString::fromStdString(text->Text) + "]";
        if (const auto* point = std::get_if<PointAnswer>(&answer))
            return "point:" +
                   (point->Placed
                        ? QStringLiteral("%1,%2").arg(point->Placed->X).arg(point->Placed->Y)
                        : QStringLiteral("none"));
        if (const auto* word = std::get_if<ComposedWordAnswer>(&answer))
            return "word:" + QString::fromStdString(word->Word);
        return "nothing";
    }

    ScriptedRandom Random{{3, 1, 4, 1, 5, 9, 2, 6}};
    std::unique_ptr<TaskAreaWidget> Area;
    TTask Task;
    std::vector<int32_t> Order;
    QStringList Messages;
    QList<bool> UpdatesWhileMessage;
    int Beeps = 0;
    QTemporaryDir Folder;
};

} // namespace tevrix::testing
