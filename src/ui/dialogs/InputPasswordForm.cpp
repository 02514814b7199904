// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/InputPasswordForm.h"

#include "text/Strings.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tevrix {

TInputPasswordForm::TInputPasswordForm(QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(this)), m_showCharacters(new QCheckBox(this)) {
    setObjectName("InputPasswordForm");
    m_edit->setObjectName("EditInputPassword");
    m_edit->setAccessibleName(Tr("Пароль"));
    m_showCharacters->setObjectName("CheckBoxPasswordChar");
    m_showCharacters->setText(Tr("Показывать символы"));
    m_showCharacters->setAccessibleName(m_showCharacters->text());
    // Masked with "*", whatever the style's own mask.
    m_edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("OKButton");
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    auto* cancel = new QPushButton(Tr("Отмена"), this);
    cancel->setObjectName("CancelButton");
    cancel->setAccessibleName(cancel->text());

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_edit, 0, 0);
    layout->addWidget(ok, 0, 1);
    layout->addWidget(m_showCharacters, 1, 0);
    layout->addWidget(cancel, 1, 1);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_showCharacters, &QCheckBox::clicked, this,
            &TInputPasswordForm::CheckBoxPasswordCharClick);
    // The closing, whichever way it happens, takes the text.
    connect(this, &QDialog::finished, this, [this] { m_entered = Trim(FromQt(m_edit->text())); });
    setMinimumSize(282, 68);
    setSizeGripEnabled(false);
}

std::optional<std::string> TInputPasswordForm::AskPassword() {
    setWindowTitle(Tr("Введите пароль"));
    m_edit->clear();
    m_edit->setEchoMode(QLineEdit::Password);
    m_showCharacters->setChecked(false);
    adjustSize();
    setFixedSize(size());
    m_edit->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_entered;
}

void TInputPasswordForm::CheckBoxPasswordCharClick() {
    m_edit->setEchoMode(m_showCharacters->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
    m_edit->setFocus();
    m_edit->end(false);
}

} // namespace tevrix
