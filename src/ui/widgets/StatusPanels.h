// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace tevrix {

// The main window's status bar: twelve panels of fixed widths, each
// addressed by its index. A panel can be drawn by the window in pure red.
class StatusPanels : public QStatusBar {
    Q_OBJECT

public:
    static constexpr int kCount = 12;

    explicit StatusPanels(QWidget* parent = nullptr);

    // Shows the bar's own texts again in the current language.
    void RetranslateUi();

    void SetPanel(int index, const QString& text);
    // Red: the window draws the text itself in pure red, centred on a line.
    void SetPanelRed(int index, bool red);
    QString PanelText(int index) const;
    bool PanelRed(int index) const { return m_red.at(index); }
    QLabel* Panel(int index) const { return m_panels.at(index); }

private:
    std::array<QLabel*, kCount> m_panels{};
    std::array<bool, kCount> m_red{};
};

} // namespace tevrix
