// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QListWidget;

namespace tevrix {

// "Выбор теста ...": the pupil picks one of the tests the teacher's server
// offers. Created for one choice.
class TSelectTestForm : public QDialog {
    Q_OBJECT

public:
    TSelectTestForm(const std::vector<std::string>& items, QWidget* parent = nullptr);

    // Shows the list modally with its first item selected: the index of the
    // item confirmed with OK, nothing when cancelled or none is selected.
    std::optional<size_t> ChooseTest();

private:
    QListWidget* m_list;
};

} // namespace tevrix
