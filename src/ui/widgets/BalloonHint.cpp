// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/BalloonHint.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace tevrix {

BalloonHint::BalloonHint(QWidget* parent)
    : QFrame(parent, Qt::ToolTip),
      m_header(new QLabel(this)),
      m_text(new QLabel(this)),
      m_timer(new QTimer(this)) {
    setObjectName("BalloonHint");
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    m_header->setObjectName("BalloonHeader");
    m_text->setObjectName("BalloonText");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(m_header);
    layout->addWidget(m_text);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void BalloonHint::ShowAt(QWidget* field, const QString& header, const QString& text) {
    m_field = field;
    m_header->setText(header);
    // The texts break their lines with LF CR; a label wants one break.
    QString shown = text;
    shown.remove(QChar('\r'));
    m_text->setText(shown);
    setAccessibleName(header);
    setAccessibleDescription(shown);
    adjustSize();
    // A window of its own, so the small dialog does not clip it.
    move(field->mapToGlobal(QPoint(field->width() / 4, field->height() + 2)));
    show();
    m_timer->start(kLifetimeMs);
}

QString BalloonHint::Header() const {
    return m_header->text();
}

QString BalloonHint::Text() const {
    return m_text->text();
}

} // namespace tevrix
