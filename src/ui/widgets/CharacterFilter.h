// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

namespace tevrix {

// Drops the characters typed into an edit that `accepts` refuses, with a
// beep when one is set. Keys that carry no character (arrows, Delete), keys
// with Ctrl, Alt or Meta (shortcuts, paste) and control keys other than
// backspace (Tab, Enter, Escape) are no typed characters and always pass.
class CharacterFilter : public QObject {
    Q_OBJECT

public:
    CharacterFilter(QLineEdit* field, std::function<bool(QChar)> accepts);

    // What sounds for a refused character; silent unless set.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QChar)> m_accepts;
    std::function<void()> m_beep;
};

} // namespace tevrix
