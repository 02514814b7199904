// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the modal windows of the station from a widget test: each step
// waits until a modal window of the given object name is in front, then acts
// on it (outside the poll, so an action may open the next modal window).

#include <QApplication>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

namespace tevrix::testing {

class ModalScript : public QObject {
public:
    using Action = std::function<void(QWidget&)>;

    ModalScript() {
        m_poll.setInterval(10);
        connect(&m_poll, &QTimer::timeout, this, &ModalScript::Poll);
        m_poll.start();
    }

    ModalScript& Then(const QString& objectName, Action action) {
        m_steps.push_back({objectName, std::move(action)});
        return *this;
    }
    // Acts on every showing of a modal window of that name that no step
    // waits for.
    ModalScript& Always(const QString& objectName, Action action) {
        m_always.push_back({objectName, std::move(action)});
        return *this;
    }
    // Clicks the button of that name in the window.
    ModalScript& Click(const QString& objectName, const QString& button) {
        return Then(objectName, [button](QWidget& window) {
            auto* target = window.findChild<QPushButton*>(button);
            QVERIFY2(target != nullptr, qPrintable(button));
            QTest::mouseClick(target, Qt::LeftButton);
        });
    }
    // Types into the edit of that name (after emptying it).
    static void Type(QWidget& window, const QString& edit, const QString& text) {
        auto* field = window.findChild<QLineEdit*>(edit);
        QVERIFY2(field != nullptr, qPrintable(edit));
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        TypeText(field, text);
    }
    // Key presses for each character; QTest::keyClicks takes Latin-1 only.
    static void TypeText(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }

    bool Done() const { return m_steps.empty() && !m_acting; }
    // The object names of the modal windows that were acted on, in order.
    const QStringList& Seen() const { return m_seen; }

private:
    struct Step {
        QString Name;
        Action Do;
    };

    void Poll() {
        if (m_acting)
            return;
        QWidget* front = QApplication::activeModalWidget();
        if (front == nullptr || !front->isVisible() || front == m_lastAlways)
            return;
        Step step;
        if (!m_steps.empty() && front->objectName() == m_steps.front().Name) {
            step = std::move(m_steps.front());
            m_steps.pop_front();
        } else {
            auto always = std::find_if(m_always.begin(), m_always.end(), [front](const Step& s) {
                return s.Name == front->objectName();
            });
            if (always == m_always.end())
                return;
            step = *always;
            m_lastAlways = front;
        }
        m_seen << step.Name;
        m_acting = true;
        QTimer::singleShot(0, front, [this, front, action = std::move(step.Do)] {
            m_acting = false;
            action(*front);
        });
    }

    QTimer m_poll;
    std::deque<Step> m_steps;
    std::vector<Step> m_always;
    QPointer<QWidget> m_lastAlways; // acted on already, until it has gone
    QStringList m_seen;
    bool m_acting = false;
};

} // namespace tevrix::testing
