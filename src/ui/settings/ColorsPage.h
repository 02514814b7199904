// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "config/Settings.h"
#include "ui/settings/SettingsPage.h"

#include <QColor>

#include <array>

class QFrame;

namespace tevrix {

// "Цвета": the highlights of right and wrong answers and the colours of the
// pairs of a matching task.
class ColorsPage : public SettingsPage {
    Q_OBJECT

public:
    static constexpr size_t kSwatches = 12;

    explicit ColorsPage(SettingsDialogServices& services);

    static QColor ToQColor(TColor color);
    static TColor FromQColor(const QColor& color);

private:
    void Fill() override;
    bool Apply() override;
    // The settings of the swatches: ColorCorrect, ColorError, the ten pairs.
    std::array<TColor*, kSwatches> Targets();
    // A caption, the swatch and its "Выбрать" button in a row of the grid.
    void AddSwatch(QGridLayout* grid, int row, int column, size_t index, const QString& caption,
                   const QString& name);
    void SetSwatch(size_t index, const QColor& color);
    void Choose(size_t index);

    std::array<QFrame*, kSwatches> m_swatches{};
    std::array<QColor, kSwatches> m_colors;
};

} // namespace tevrix
