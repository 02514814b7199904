// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QObject>

#include <functional>

class QLineEdit;

namespace tevrix {

// The filter of characters typed into a number field: "," and "." become
// the decimal separator; besides it only digits, "-" (first and once),
// backspace and Enter pass, and the separator only once. A refused character
// is dropped with a beep. Pasted text is not filtered, nor are keys that
// carry no character or come with Ctrl, Alt or Meta (shortcuts, paste).
class NumberFieldFilter : public QObject {
    Q_OBJECT

public:
    explicit NumberFieldFilter(QObject* parent = nullptr);

    void Watch(QLineEdit* field);
    QChar DecimalSeparator() const { return m_separator; }
    void SetDecimalSeparator(QChar separator) { m_separator = separator; }
    // What sounds for a refused character; the system's beep unless replaced.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // Whether `typed` may go into `field` as it stands now, and as which
    // character (the separator for "," and ".").
    bool Accepts(const QLineEdit& field, QChar typed, QChar& accepted) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QChar m_separator;
    std::function<void()> m_beep;
};

} // namespace tevrix
