// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/SelectTestForm.h"

#include "ui/UiText.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {
namespace {

constexpr int kItemHeight = 18;
constexpr int kFontPixels = 15;
constexpr QSize kFormSize(420, 300);

} // namespace

TSelectTestForm::TSelectTestForm(const std::vector<std::string>& items, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_list(new QListWidget(this)) {
    setObjectName("SelectTestForm");
    setWindowTitle(Tr("Выбор теста ..."));
    m_list->setObjectName("ListTest");
    m_list->setAccessibleName(Tr("Тесты на сервере"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kFontPixels);
    m_list->setFont(font);
    m_list->setUniformItemSizes(true);
    for (const std::string& text : items) {
        auto* item = new QListWidgetItem(ToQt(text), m_list);
        item->setSizeHint(QSize(0, kItemHeight));
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("bbOK");
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(Tr("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("bbCancel");
    cancel->setAccessibleName(cancel->text());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A double click confirms the item, as OK does.
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    setFixedSize(kFormSize);
    setSizeGripEnabled(false);
}

std::optional<size_t> TSelectTestForm::ChooseTest() {
    m_list->setFocus();
    if (exec() != QDialog::Accepted || m_list->currentRow() < 0)
        return std::nullopt;
    return static_cast<size_t>(m_list->currentRow());
}

} // namespace tevrix
