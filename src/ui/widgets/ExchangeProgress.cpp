// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ExchangeProgress.h"

#include "ui/UiText.h"

namespace tevrix {

namespace {
constexpr int kShowAfterMs = 400;
}

ExchangeProgress::ExchangeProgress(const QString& text, QWidget* parent,
                                   std::function<void()> cancel)
    : QProgressDialog(text, Tr("Отмена"), 0, 0, parent) {
    setWindowModality(Qt::WindowModal);
    setAutoReset(false);
    setAutoClose(false);
    setMinimumDuration(kShowAfterMs);
    connect(this, &QProgressDialog::canceled, this, cancel);
    connect(this, &QDialog::rejected, this, cancel);
    Resume();
}

void ExchangeProgress::Pause() {
    reset(); // also stops the timer that would show the window
    hide();
}

void ExchangeProgress::Resume() {
    // The first value starts the timer that shows the window.
    setValue(0);
}

} // namespace tevrix
