// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/taskarea/VariantGrid.h"

#include "ui/richtext/RichTextArea.h"
#include "ui/widgets/NamedColours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace tevrix {
namespace {

void SetShown(QWidget* widget, bool shown) {
    if (widget->isVisibleTo(widget->parentWidget()) != shown)
        widget->setVisible(shown);
}

} // namespace

VariantGrid::VariantGrid(QWidget* parent) : QWidget(parent) {
    QFont markFont = font();
    markFont.setBold(true);
    QPalette markPalette = palette();
    markPalette.setColor(QPalette::WindowText, kMaroon);
    for (int i = 0; i < kRows; ++i) {
        Slot& slot = m_slots[static_cast<size_t>(i)];
        const QString number = QString::number(i);
        slot.Mark = new QLabel(this);
        slot.Mark->setObjectName("VariantLabel1_" + number);
        slot.Mark->setAlignment(Qt::AlignCenter);
        slot.Mark->setFont(markFont);
        slot.Mark->setPalette(markPalette);
        slot.Radio = new QRadioButton(QString::number(i + 1), this);
        slot.Radio->setObjectName("VariantRadioButton" + number);
        slot.Check = new QCheckBox(QString::number(i + 1), this);
        slot.Check->setObjectName("VariantCheckBox" + number);
        slot.List = new QComboBox(this);
        slot.List->setObjectName("VariantComboBox" + number);
        // Its size hint is the width its longest entry needs (see Realign).
        slot.List->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        slot.Text = new RichTextArea(this);
        slot.Text->setObjectName("VariantRE_1_" + number);
        slot.MatchNumber = new QLabel(this);
        slot.MatchNumber->setObjectName("VariantLabel2_" + number);
        slot.MatchNumber->setAlignment(Qt::AlignCenter);
        slot.Match = new RichTextArea(this);
        slot.Match->setObjectName("VariantRE_2_" + number);
    }
    // The Tab key follows the screen: row by row, left to right.
    QWidget* previous = nullptr;
    for (const Slot& slot : m_slots) {
        for (QWidget* widget :
             {static_cast<QWidget*>(slot.Radio), static_cast<QWidget*>(slot.Check),
              static_cast<QWidget*>(slot.List), static_cast<QWidget*>(slot.Text),
              static_cast<QWidget*>(slot.Match)}) {
            if (previous)
                setTabOrder(previous, widget);
            previous = widget;
        }
    }
    m_listShown.fill(true);
}

void VariantGrid::SetColumnWidths(const std::array<int, kColumns>& widths) {
    m_widths = widths;
}

void VariantGrid::SetRowsInUse(int rows) {
    m_rowsInUse = std::clamp(rows, 0, kRows);
}

void VariantGrid::SetListShown(int slot, bool shown) {
    m_listShown[static_cast<size_t>(slot)] = shown;
}

void VariantGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Realign();
}

void VariantGrid::Realign() {
    const int width = this->width();
    const int height = this->height();
    std::array<int, kColumns> widths = m_widths;
    if (widths[List] > 0) {
        // The style's arrow takes much of a narrow list: the column widens
        // until the longest entry ("Нет", "10") can be read.
        for (const Slot& slot : m_slots)
            widths[List] = std::max(widths[List], slot.List->sizeHint().width() + 2);
    }
    if (widths[Match] > 0) {
        // Matching: the two texts share what the fixed columns leave.
        widths[Match] = std::max(0, (width - widths[Mark] - widths[Radio] - widths[Check] -
                                     widths[List] - widths[MatchNumber] - 10) /
                                        2);
    }
    int fixed = 0;
    for (int c = 0; c < kColumns; ++c)
        if (c != Text)
            fixed += widths[c];
    widths[Text] = std::max(0, width - fixed);
    m_laidOut = widths;

    std::array<int, kColumns + 1> left{};
    for (int c = 0; c < kColumns; ++c)
        left[c + 1] = left[c] + widths[c];

    const int rows = std::max(1, m_rowsInUse);
    for (int i = 0; i < kRows; ++i) {
        const Slot& slot = m_slots[static_cast<size_t>(i)];
        const bool inUse = i < m_rowsInUse;
        const int top = inUse ? i * height / rows : height;
        const int rowHeight = inUse ? (i + 1) * height / rows - top : 0;
        const auto cell = [&](int column) {
            return QRect(left[column], top, widths[column], rowHeight);
        };
        const auto shown = [&](int column) { return inUse && widths[column] > 0; };

        SetShown(slot.Mark, shown(Mark));
        slot.Mark->setGeometry(cell(Mark));
        SetShown(slot.MatchNumber, shown(MatchNumber));
        slot.MatchNumber->setGeometry(cell(MatchNumber));

        for (QWidget* button :
             {static_cast<QWidget*>(slot.Radio), static_cast<QWidget*>(slot.Check)}) {
            const int column = button == slot.Radio ? Radio : Check;
            SetShown(button, shown(column));
            const QRect area = cell(column);
            const int buttonHeight = std::min(area.height(), button->sizeHint().height());
            button->setGeometry(area.left() + 2, area.top() + (area.height() - buttonHeight) / 2,
                                std::max(0, area.width() - 2), buttonHeight);
        }

        SetShown(slot.List, shown(List) && m_listShown[static_cast<size_t>(i)]);
        const QRect listCell = cell(List);
        const int listHeight = std::min(listCell.height(), slot.List->sizeHint().height());
        const int listTop = m_listMargins ? (height / rows) / 2 - listHeight / 2 - 1
                                          : (listCell.height() - listHeight) / 2;
        slot.List->setGeometry(listCell.left() + 1, listCell.top() + std::max(0, listTop),
                               std::max(0, listCell.width() - 2), listHeight);

        SetShown(slot.Text, shown(Text));
        slot.Text->setGeometry(cell(Text).adjusted(1, 1, -1, -1));
        SetShown(slot.Match, shown(Match));
        slot.Match->setGeometry(cell(Match).adjusted(1, 1, -1, -1));
    }
}

} // namespace tevrix
