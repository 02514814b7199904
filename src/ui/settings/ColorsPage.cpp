// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/ColorsPage.h"

#include "ui/UiText.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {

ColorsPage::ColorsPage(SettingsDialogServices& services) : SettingsPage(services, "TabColors") {
    auto* grid = new QGridLayout;
    AddSwatch(grid, 0, 0, 0, Tr("Цвет выделения правильного ответа:"),
              QStringLiteral("ColorCorrect"));
    AddSwatch(grid, 1, 0, 1, Tr("Цвет выделения ошибочного ответа:"), QStringLiteral("ColorError"));
    grid->setColumnStretch(0, 1);
    Body()->addLayout(grid);

    auto* pairs = new QGroupBox(Tr("Цвета выделения сопоставления:"), this);
    pairs->setObjectName("GroupColorCollation");
    auto* pairGrid = new QGridLayout(pairs);
    for (int pair = 0; pair < 10; ++pair)
        AddSwatch(pairGrid, pair % 5, pair / 5 * 3, 2 + static_cast<size_t>(pair),
                  QStringLiteral("#%1:").arg(pair + 1),
                  QStringLiteral("ColorCollation%1").arg(pair + 1));
    Body()->addWidget(pairs);
}

QColor ColorsPage::ToQColor(TColor color) {
    const auto bits = static_cast<uint32_t>(color);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

TColor ColorsPage::FromQColor(const QColor& color) {
    return static_cast<TColor>(static_cast<uint32_t>(color.red()) |
                               (static_cast<uint32_t>(color.green()) << 8) |
                               (static_cast<uint32_t>(color.blue()) << 16));
}

void ColorsPage::AddSwatch(QGridLayout* grid, int row, int column, size_t index,
                           const QString& caption, const QString& name) {
    auto* label = new QLabel(caption, this);
    auto* swatch = new QFrame(this);
    swatch->setObjectName(QStringLiteral("Shape") + name);
    swatch->setFrameShape(QFrame::Box);
    swatch->setFixedSize(40, 20);
    swatch->setAutoFillBackground(true);
    swatch->setAccessibleName(caption);
    QPushButton* choose =
        NewButton(QByteArray("Button" + name.toLatin1()).constData(), N_("Выбрать"));
    choose->setAccessibleDescription(caption);
    grid->addWidget(label, row, column);
    grid->addWidget(swatch, row, column + 1);
    grid->addWidget(choose, row, column + 2);
    m_swatches[index] = swatch;
    connect(choose, &QPushButton::clicked, this, [this, index] { Choose(index); });
}

std::array<TColor*, ColorsPage::kSwatches> ColorsPage::Targets() {
    Settings& s = StationSettings();
    std::array<TColor*, kSwatches> targets{&s.ColorCorrect, &s.ColorError};
    for (size_t pair = 0; pair < s.ColorCollation.size(); ++pair)
        targets[2 + pair] = &s.ColorCollation[pair];
    return targets;
}

void ColorsPage::SetSwatch(size_t index, const QColor& color) {
    m_colors[index] = color;
    QPalette palette = m_swatches[index]->palette();
    palette.setColor(QPalette::Window, color);
    m_swatches[index]->setPalette(palette);
}

void ColorsPage::Fill() {
    // The current colours are also the colour dialog's custom colours, in
    // the order of the swatches.
    const std::array<TColor*, kSwatches> targets = Targets();
    for (size_t i = 0; i < kSwatches; ++i) {
        SetSwatch(i, ToQColor(*targets[i]));
        QColorDialog::setCustomColor(static_cast<int>(i), m_colors[i]);
    }
}

void ColorsPage::Choose(size_t index) {
    QColorDialog dialog(m_colors[index], this);
    dialog.setObjectName("ColorDialog");
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid() || chosen.rgb() == m_colors[index].rgb())
        return;
    SetSwatch(index, chosen);
    Changed();
}

bool ColorsPage::Apply() {
    const std::array<TColor*, kSwatches> targets = Targets();
    for (size_t i = 0; i < kSwatches; ++i)
        *targets[i] = FromQColor(m_colors[i]);
    return true;
}

} // namespace tevrix
