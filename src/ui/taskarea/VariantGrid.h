// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace tevrix {

class RichTextArea;

// The grid of the answer's variants: ten rows, one per slot, and seven
// columns (mark, round button, tick box, list, variant text, right-hand
// number, right-hand text). Columns have fixed widths but for the variant
// text, which takes what is left; in a matching task the right-hand text
// shares the width with it. The first RowsInUse() rows share the height
// equally, the others have none. The grid places its controls itself, so
// that both rules hold exactly whatever the controls' own size hints are.
class VariantGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRows = 10;
    static constexpr int kColumns = 7;
    enum Column { Mark, Radio, Check, List, Text, MatchNumber, Match };

    struct Slot {
        QLabel* Mark = nullptr;
        QRadioButton* Radio = nullptr;
        QCheckBox* Check = nullptr;
        QComboBox* List = nullptr;
        RichTextArea* Text = nullptr;
        QLabel* MatchNumber = nullptr;
        RichTextArea* Match = nullptr;
    };

    explicit VariantGrid(QWidget* parent = nullptr);

    const Slot& At(int slot) const { return m_slots[static_cast<size_t>(slot)]; }

    // Widths in pixels; the Text column's entry is ignored (it takes the
    // rest). A Match width above 0 makes the right-hand text share the width
    // with the variant text.
    void SetColumnWidths(const std::array<int, kColumns>& widths);
    // The widths as last laid out (the Text and Match columns as computed).
    std::array<int, kColumns> LaidOutWidths() const { return m_laidOut; }
    void SetRowsInUse(int rows);
    int RowsInUse() const { return m_rowsInUse; }
    // Lists shown or hidden per slot (a list is further hidden when its row
    // or column has no size).
    void SetListShown(int slot, bool shown);
    bool ListShown(int slot) const { return m_listShown[static_cast<size_t>(slot)]; }
    // With the window settings in use the lists are placed a pixel above the
    // middle of their rows, as the restored window had them; otherwise they
    // are centred.
    void SetListMargins(bool on) { m_listMargins = on; }

    // Places every control by the current widths and rows.
    void Realign();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<Slot, kRows> m_slots;
    std::array<int, kColumns> m_widths{20, 40, 0, 0, 0, 0, 0};
    std::array<int, kColumns> m_laidOut{};
    std::array<bool, kRows> m_listShown{};
    int m_rowsInUse = 5;
    bool m_listMargins = false;
};

} // namespace tevrix
