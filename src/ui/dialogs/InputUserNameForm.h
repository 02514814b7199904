// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/SessionDialogs.h"
#include "text/TextLocale.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tevrix {

class BalloonHint;

// The identification dialog before a run: a greeting by the hour, the
// pupil's name and group, checked against the teacher's patterns on OK.
// Created once, it keeps what was typed from one run to the next.
class TInputUserNameForm : public QDialog {
    Q_OBJECT

public:
    explicit TInputUserNameForm(QWidget* parent = nullptr);

    // Fills the fields, captions and patterns, shows the dialog modally and
    // returns whether the pupil passed the check with OK.
    bool Identify(const IdentificationSetup& setup);
    // What the fields hold now.
    IdentityFields Fields() const;

    // The greeting for an hour of the day (0..23), untranslated.
    static const char* GreetingForHour(int hour);
    // The hour of the day the greeting is chosen by; the clock unless a
    // test sets another.
    void SetHourSource(std::function<int()> hour) { m_hour = std::move(hour); }
    BalloonHint& Balloon() { return *m_balloon; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OKButtonClick();

    QLabel* m_hello;
    QLabel* m_titleName;
    QLabel* m_titleGroup;
    QLineEdit* m_name;
    QLineEdit* m_group;
    QPushButton* m_ok;
    BalloonHint* m_balloon;
    IdentityPatterns m_patterns;
    TextLocale m_locale;
    std::function<int()> m_hour;
    // Set once a field has been clicked into or edited since the showing.
    bool m_nameTouched = false;
    bool m_groupTouched = false;
};

} // namespace tevrix
