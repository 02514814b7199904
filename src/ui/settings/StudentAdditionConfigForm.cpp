// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/StudentAdditionConfigForm.h"

#include "ui/UiText.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/settings/AssociationPage.h"
#include "ui/settings/ColorsPage.h"
#include "ui/settings/FoldersPage.h"
#include "ui/settings/NetworkPage.h"
#include "ui/settings/PasswordPage.h"
#include "ui/settings/ResultOutputPage.h"
#include "ui/settings/SaveSettingsPage.h"
#include "ui/settings/ShortcutsPage.h"
#include "ui/settings/SoundPage.h"
#include "ui/settings/UserNamePage.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tevrix {
namespace {

const char* const kTabCaptions[] = {
    N_("Ассоциация"), N_("Ярлыки"), N_("Сеть"), N_("Папки и файлы"), N_("Вывод рез."),
    N_("Цвета"),      N_("Имя"),    N_("Звук"), N_("Пароль"),        N_("Сохр. параметров"),
};

// The tab captions in as many rows as the width needs, as a multi-line
// tab control shows them.
QWidget* TabRows(QWidget* parent, QButtonGroup* group, int width) {
    auto* rows = new QWidget(parent);
    rows->setObjectName("TabRows");
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    QHBoxLayout* row = nullptr;
    int used = width;
    int index = 0;
    for (const char* caption : kTabCaptions) {
        auto* tab = new QToolButton(rows);
        tab->setObjectName(QStringLiteral("Tab%1").arg(index + 1));
        tab->setText(Tr(caption));
        tab->setAccessibleName(tab->text());
        tab->setCheckable(true);
        tab->setAutoRaise(true);
        tab->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const int tabWidth = tab->sizeHint().width();
        if (row == nullptr || used + tabWidth > width) {
            row = new QHBoxLayout;
            row->setSpacing(0);
            column->addLayout(row);
            used = 0;
        }
        used += tabWidth;
        row->addWidget(tab);
        group->addButton(tab, index++);
    }
    return rows;
}

} // namespace

TStudentAdditionConfigForm::TStudentAdditionConfigForm(SettingsDialogServices& services,
                                                       QWidget* parent)
    : QDialog(parent), m_stack(new QStackedWidget(this)), m_tabs(new QButtonGroup(this)) {
    setObjectName("StudentAdditionConfigForm");
    setWindowTitle(Tr("Параметры"));
    setAccessibleName(windowTitle());
    m_pages = {new AssociationPage(services),  new ShortcutsPage(services),
               new NetworkPage(services),      new FoldersPage(services),
               new ResultOutputPage(services), new ColorsPage(services),
               new UserNamePage(services),     new SoundPage(services),
               new PasswordPage(services),     new SaveSettingsPage(services)};
    for (SettingsPage* page : m_pages)
        m_stack->addWidget(page);
    m_stack->setFrameShape(QFrame::StyledPanel);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(TabRows(this, m_tabs, kWidth - 2 * layout->contentsMargins().left()));
    layout->addWidget(m_stack, 1);
    // Fixed in size: as laid out, but never smaller than its design.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(kWidth, kHeight);
    connect(m_tabs, &QButtonGroup::idClicked, this, &TStudentAdditionConfigForm::ShowTab);
    ShowTab(0);
}

void TStudentAdditionConfigForm::ShowTab(int index) {
    if (index == m_current || index < 0 || index >= static_cast<int>(m_pages.size()))
        return;
    m_current = index;
    m_tabs->button(index)->setChecked(true);
    m_stack->setCurrentIndex(index);
    // Shown again: what was not applied is gone.
    m_pages[static_cast<size_t>(index)]->ShowPage();
}

void TStudentAdditionConfigForm::OpenSettings(
    QWidget* parent, SettingsDialogServices& services,
    const std::function<std::optional<std::string>()>& askPassword) {
    const std::string stored =
        services.Store.ReadString(services.Store.RootSection(), kPasswordValue).value_or("");
    if (!stored.empty()) {
        const std::optional<std::string> entered = askPassword();
        if (!entered)
            return;
        if (*entered != stored) {
            ShowPlainMessage(parent, TranslateText("Не верный пароль..."));
            return;
        }
    }
    TStudentAdditionConfigForm form(services, parent);
    form.exec();
}

} // namespace tevrix
