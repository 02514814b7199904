// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QLineEdit;

namespace tevrix {

// The password dialog, asked for the password of a protected test file, of
// a test's start and of the settings. Created once, it starts empty every
// time it is shown.
class TInputPasswordForm : public QDialog {
    Q_OBJECT

public:
    explicit TInputPasswordForm(QWidget* parent = nullptr);

    // Shows the dialog modally: the entered text (trimmed) when the pupil
    // confirmed with OK, nothing otherwise.
    std::optional<std::string> AskPassword();
    // The text entered at the last showing, whatever closed the dialog.
    const std::string& EnteredText() const { return m_entered; }

private:
    void CheckBoxPasswordCharClick();

    QLineEdit* m_edit;
    QCheckBox* m_showCharacters;
    std::string m_entered;
};

} // namespace tevrix
