#include "uikit/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace strumvale::uikit {
namespace {

MessageHandler& handler() {
    static MessageHandler installed;
    return installed;
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer realMessageBox(QWidget* owner, const Message& message) {
    QMessageBox box(boxIcon(message.icon), message.caption, message.text, QMessageBox::NoButton,
                    owner);
    box.setTextFormat(Qt::PlainText);
    if (message.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    if (message.buttons == MessageButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Cancel;
        }
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

} // namespace

MessageAnswer showMessage(QWidget* owner, const Message& message) {
    if (handler())
        return handler()(owner, message);
    return realMessageBox(owner, message);
}

void setMessageHandler(MessageHandler newHandler) {
    handler() = std::move(newHandler);
}

} // namespace strumvale::uikit
