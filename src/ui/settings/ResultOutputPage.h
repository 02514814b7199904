// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

#include <array>

namespace tevrix {

// "Вывод рез.": what the pupil sees at the end of a run and which result
// files are written.
class ResultOutputPage : public SettingsPage {
    Q_OBJECT

public:
    explicit ResultOutputPage(SettingsDialogServices& services);

private:
    void Fill() override;
    bool Apply() override;
    // The settings of the boxes, in their order.
    std::array<bool*, 4> Targets();

    std::array<QCheckBox*, 4> m_boxes;
};

} // namespace tevrix
