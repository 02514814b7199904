// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/MessageBoxes.h"

#include "ui/UiText.h"

#include <QMessageBox>
#include <QPushButton>

namespace tevrix {
namespace {

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QPushButton* AddButton(QMessageBox& box, const QString& text, QMessageBox::ButtonRole role,
                       const char* name) {
    QPushButton* button = box.addButton(text, role);
    button->setObjectName(name);
    button->setAccessibleName(text);
    return button;
}

} // namespace

MessageReply ShowMessageBox(QWidget* parent, const MessageBoxRequest& request) {
    QMessageBox box(parent);
    box.setObjectName("MessageBox");
    box.setWindowTitle(request.Caption.empty() ? Tr(kApplicationTitle) : ToQt(request.Caption));
    // The texts break lines with CR LF (or LF CR); one break is enough here.
    QString text = ToQt(request.Text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.remove(QChar('\r'));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(IconOf(request.Icon));
    box.setAccessibleName(box.windowTitle());
    box.setAccessibleDescription(text);
    if (request.Buttons == MessageButtons::YesNo) {
        QPushButton* yes = AddButton(box, Tr("Да"), QMessageBox::YesRole, "YesButton");
        QPushButton* no = AddButton(box, Tr("Нет"), QMessageBox::NoRole, "NoButton");
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MessageReply::Yes : MessageReply::No;
    }
    QPushButton* ok = AddButton(box, QStringLiteral("OK"), QMessageBox::AcceptRole, "OKButton");
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MessageReply::Ok;
}

void ShowPlainMessage(QWidget* parent, const std::string& text) {
    ShowMessageBox(parent, {text, "", MessageIcon::None, MessageButtons::Ok});
}

std::optional<MessageBoxRequest> OutcomeBox(const Outcome& outcome) {
    const std::optional<PupilMessage>& message = outcome.Message();
    if (!message)
        return std::nullopt;
    return MessageBoxRequest{TranslateText(message->Text.c_str()),
                             message->Caption.empty() ? std::string()
                                                      : TranslateText(message->Caption.c_str()),
                             message->Icon, MessageButtons::Ok};
}

void ShowOutcome(QWidget* parent, const Outcome& outcome) {
    if (const std::optional<MessageBoxRequest> request = OutcomeBox(outcome))
        ShowMessageBox(parent, *request);
}

} // namespace tevrix
