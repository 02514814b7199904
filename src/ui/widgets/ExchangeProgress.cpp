// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ExchangeProgress.h"

#include "ui/UiText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {

namespace {
constexpr int kShowAfterMs = 400;
}

ExchangeProgress::ExchangeProgress(const QString& text, QWidget* parent,
                                   std::function<void()> cancel)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowModality(Qt::WindowModal);
    auto* label = new QLabel(text, this);
    auto* bar = new QProgressBar(this);
    bar->setObjectName("ProgressBar");
    bar->setRange(0, 0); // busy: how long the server takes is unknown
    bar->setAccessibleName(text);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* stop = buttons->addButton(Tr("Отмена"), QDialogButtonBox::RejectRole);
    stop->setObjectName("CancelButton");
    stop->setAccessibleName(stop->text());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(bar);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    // "Отмена", the close box and Esc all reject the window.
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, cancel);
    m_showLater.setSingleShot(true);
    m_showLater.setInterval(kShowAfterMs);
    connect(&m_showLater, &QTimer::timeout, this, &QWidget::show);
    Resume();
}

void ExchangeProgress::Pause() {
    m_showLater.stop();
    hide();
}

void ExchangeProgress::Resume() {
    m_showLater.start();
}

} // namespace tevrix
