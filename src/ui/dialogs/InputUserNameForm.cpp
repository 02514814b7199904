// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/InputUserNameForm.h"

#include "rules/IdentityCheck.h"
#include "ui/UiText.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/widgets/BalloonHint.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>

namespace tevrix {

TInputUserNameForm::TInputUserNameForm(QWidget* parent)
    : QDialog(parent),
      m_hello(new QLabel(this)),
      m_titleName(new QLabel(this)),
      m_titleGroup(new QLabel(this)),
      m_name(new QLineEdit(this)),
      m_group(new QLineEdit(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_balloon(new BalloonHint(this)),
      m_hour([] { return QTime::currentTime().hour(); }) {
    setObjectName("InputUserNameForm");
    setWindowTitle(Tr("Начнем тест?!"));
    m_hello->setObjectName("HelloLabel");
    m_hello->setText(Tr("Как Вас зовут?"));
    m_hello->setAlignment(Qt::AlignCenter);
    QFont bold = m_hello->font();
    bold.setBold(true);
    m_hello->setFont(bold);
    m_titleName->setObjectName("TitleUserName");
    m_titleName->setText(Tr("ФИО:"));
    m_titleGroup->setObjectName("TitleUserGroup");
    m_titleGroup->setText(Tr("Класс:"));
    for (QLabel* title : {m_titleName, m_titleGroup}) {
        QPalette grey = title->palette();
        grey.setColor(QPalette::WindowText, Qt::gray);
        title->setPalette(grey);
    }
    m_name->setObjectName("UserName");
    m_name->setAccessibleName(Tr("ФИО:"));
    m_name->setMinimumWidth(240);
    m_group->setObjectName("UserGroup");
    m_group->setAccessibleName(Tr("Класс:"));
    m_group->setFixedWidth(70);
    m_ok->setObjectName("OKButton");
    m_ok->setAccessibleName(m_ok->text());
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(m_hello, 0, 0, 1, 2);
    layout->addWidget(m_titleName, 1, 0);
    layout->addWidget(m_titleGroup, 1, 1);
    layout->addWidget(m_name, 2, 0);
    layout->addWidget(m_group, 2, 1);
    layout->addWidget(m_ok, 3, 0, 1, 2, Qt::AlignHCenter);

    m_name->installEventFilter(this);
    m_group->installEventFilter(this);
    connect(m_name, &QLineEdit::textEdited, this, [this] { m_nameTouched = true; });
    connect(m_group, &QLineEdit::textEdited, this, [this] { m_groupTouched = true; });
    connect(m_ok, &QPushButton::clicked, this, &TInputUserNameForm::OKButtonClick);
}

const char* TInputUserNameForm::GreetingForHour(int hour) {
    if (hour < 6)
        return N_("Доброй ночи!");
    if (hour < 12)
        return N_("Доброе утро!");
    if (hour < 18)
        return N_("Добрый день!");
    return N_("Добрый вечер!");
}

bool TInputUserNameForm::Identify(const IdentificationSetup& setup) {
    m_name->setText(ToQt(setup.Fields.Name));
    m_group->setText(ToQt(setup.Fields.Group));
    m_titleName->setText(ToQt(setup.TitleUserName));
    m_titleGroup->setText(ToQt(setup.TitleUserGroup));
    m_patterns = setup.Patterns;
    m_hello->setText(Tr(GreetingForHour(m_hour())) + ' ' + Tr("Как Вас Зовут?"));
    m_nameTouched = false;
    m_groupTouched = false;
    m_balloon->hide();
    adjustSize();
    setFixedSize(sizeHint());
    m_name->setFocus();
    const bool confirmed = exec() == QDialog::Accepted;
    m_balloon->hide();
    return confirmed;
}

IdentityFields TInputUserNameForm::Fields() const {
    return {FromQt(m_name->text()), FromQt(m_group->text())};
}

bool TInputUserNameForm::eventFilter(QObject* watched, QEvent* event) {
    // The pre-filled text is a hint: the first click into a field empties
    // it, while moving there with the keyboard keeps it.
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_name && !m_nameTouched) {
            m_name->clear();
            m_nameTouched = true;
        } else if (watched == m_group && !m_groupTouched) {
            m_group->clear();
            m_groupTouched = true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TInputUserNameForm::OKButtonClick() {
    const IdentityCheckResult check =
        CheckIdentity(FromQt(m_name->text()), FromQt(m_group->text()), m_patterns, m_locale);
    m_name->setText(ToQt(check.Name));
    m_group->setText(ToQt(check.Group));
    if (check.Failed == IdentityField::None) {
        accept();
        return;
    }
    if (!check.PatternError.empty()) {
        ShowPlainMessage(this, check.PatternError);
        return;
    }
    QLineEdit* field = check.Failed == IdentityField::Name ? m_name : m_group;
    m_balloon->ShowAt(field, ToQt(check.BalloonHeader), ToQt(check.BalloonText));
}

} // namespace tevrix
