// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/StatusPanels.h"

#include "ui/UiText.h"

#include <QLabel>

namespace tevrix {
namespace {

struct PanelLayout {
    int Width;
    Qt::Alignment Alignment;
};

constexpr std::array<PanelLayout, StatusPanels::kCount> kLayout = {{
    {100, Qt::AlignCenter},                  // state
    {50, Qt::AlignCenter},                   // position / number of tasks
    {60, Qt::AlignCenter},                   // date, or time since the start of the run
    {60, Qt::AlignCenter},                   // time of day, or time on the task
    {60, Qt::AlignCenter},                   // test time left
    {60, Qt::AlignCenter},                   // task time left
    {22, Qt::AlignCenter},                   // right answers shown
    {22, Qt::AlignCenter},                   // wrong answers penalised
    {22, Qt::AlignCenter},                   // skipping allowed
    {22, Qt::AlignCenter},                   // exclusive mode
    {100, Qt::AlignLeft | Qt::AlignVCenter}, // price of the task
    {50, Qt::AlignLeft | Qt::AlignVCenter},  // the pupil
}};

} // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName("StatusBar");
    setSizeGripEnabled(true);
    for (int i = 0; i < kCount; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setAlignment(kLayout[i].Alignment);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        // The last panel takes what is left of the bar, so a long name shows.
        if (i == kCount - 1)
            panel->setMinimumWidth(kLayout[i].Width);
        else
            panel->setFixedWidth(kLayout[i].Width);
        addWidget(panel, i == kCount - 1 ? 1 : 0);
        m_panels[i] = panel;
    }
    RetranslateUi();
}

void StatusPanels::RetranslateUi() {
    setAccessibleName(Tr("Строка состояния"));
    for (int i = 0; i < kCount; ++i)
        m_panels[i]->setAccessibleName(QStringLiteral("%1 %2").arg(Tr("Панель")).arg(i + 1));
}

void StatusPanels::SetPanel(int index, const QString& text) {
    QLabel* panel = m_panels.at(index);
    if (panel->text() != text)
        panel->setText(text);
}

void StatusPanels::SetPanelRed(int index, bool red) {
    if (m_red.at(index) == red)
        return;
    m_red[index] = red;
    QPalette colours = palette();
    if (red)
        colours.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_panels[index]->setPalette(colours);
}

QString StatusPanels::PanelText(int index) const {
    return m_panels.at(index)->text();
}

} // namespace tevrix
