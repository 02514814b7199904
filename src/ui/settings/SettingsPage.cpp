// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/SettingsPage.h"

#include "config/IniDocument.h"
#include "text/Cp1251.h"
#include "text/Format.h"
#include "ui/UiText.h"
#include "ui/dialogs/MessageBoxes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {
namespace {

constexpr const char* kMsgCannotHold =
    N_("Поле \"%s\" содержит символ \"%s\", который нельзя записать в файл настроек "
       "(кодировка Windows-1251). Замените или удалите его.");

// A caption without its colon and accelerator, as a screen reader says it.
QString SpokenName(const QString& caption) {
    QString name = caption;
    name.remove(QLatin1Char('&'));
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

} // namespace

SettingsPage::SettingsPage(SettingsDialogServices& services, const char* objectName,
                           ApplyButton apply)
    : m_services(services), m_body(new QVBoxLayout) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_body);
    layout->addStretch(1);
    if (apply == ApplyButton::Without)
        return;
    m_apply = NewButton("ButtonApply", N_("Применить"));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_apply);
    layout->addLayout(row);
    connect(m_apply, &QPushButton::clicked, this, [this] {
        if (Apply())
            m_apply->setEnabled(false);
    });
}

void SettingsPage::ShowPage() {
    Fill();
    if (m_apply)
        m_apply->setEnabled(false);
}

void SettingsPage::Changed() {
    if (m_apply)
        m_apply->setEnabled(true);
}

QCheckBox* SettingsPage::NewCheckBox(const char* name, const char* caption) {
    auto* box = new QCheckBox(Tr(caption), this);
    box->setObjectName(name);
    box->setAccessibleName(SpokenName(box->text()));
    return box;
}

QPushButton* SettingsPage::NewButton(const char* name, const char* caption) {
    auto* button = new QPushButton(Tr(caption), this);
    button->setObjectName(name);
    button->setAccessibleName(SpokenName(button->text()));
    // Enter in an edit presses no button of the page.
    button->setAutoDefault(false);
    return button;
}

QLineEdit* SettingsPage::NewEdit(const char* name, const QString& accessibleName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(SpokenName(accessibleName));
    edit->setMaxLength(static_cast<int>(IniDocument::kMaxValueLength));
    return edit;
}

QLabel* SettingsPage::NewNote(const char* text) {
    auto* note = new QLabel(Tr(text), this);
    note->setWordWrap(true);
    return note;
}

QLineEdit* SettingsPage::AddEditRow(QGridLayout* grid, int row, const char* name,
                                    const char* caption) {
    auto* label = new QLabel(Tr(caption), this);
    QLineEdit* edit = NewEdit(name, label->text());
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

bool SettingsPage::FitsConfigurationFile(QLineEdit* edit, const QString& text) {
    for (int i = 0; i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length;
        if (FitsCp1251(FromQt(character)))
            continue;
        ShowMessageBox(this,
                       {Format(TranslateText(kMsgCannotHold),
                               {FromQt(edit->accessibleName()), FromQt(character)}),
                        TranslateText("Внимание!"), MessageIcon::Exclamation, MessageButtons::Ok});
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    return true;
}

} // namespace tevrix
