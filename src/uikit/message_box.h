#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace strumvale::uikit {

enum class MessageIcon { None, Information, Exclamation, Stop, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
// Closing a Yes/No/Cancel box without a choice answers Cancel.
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct Message {
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Shows a modal message box and returns the answer. Tests install a handler
// that answers instead, so nothing modal ever blocks a run.
MessageAnswer showMessage(QWidget* owner, const Message& message);

using MessageHandler = std::function<MessageAnswer(QWidget* owner, const Message& message)>;
// An empty handler restores the real message box.
void setMessageHandler(MessageHandler handler);

} // namespace strumvale::uikit
