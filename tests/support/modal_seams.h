#pragma once

#include "uikit/file_dialog.h"
#include "uikit/message_box.h"

#include <QApplication>
#include <QThread>
#include <deque>
#include <optional>
#include <vector>

namespace strumvale::test {

// Every message box and file dialog of a test answered by the test and kept,
// so nothing modal blocks a run; the real ones come back when it goes.
class ModalSeams {
public:
    struct Shown {
        uikit::Message message;
        bool onUiThread = false;
    };

    ModalSeams() {
        uikit::setMessageHandler([this](QWidget*, const uikit::Message& message) {
            shown.push_back({message, QThread::currentThread() == qApp->thread()});
            if (answers.empty())
                return answer;
            const uikit::MessageAnswer next = answers.front();
            answers.pop_front();
            return next;
        });
        uikit::setFileDialogHandler([this](QWidget*, const uikit::FileDialogRequest& request) {
            fileRequests.push_back(request);
            if (fileChoices.empty())
                return std::optional<QString>();
            const std::optional<QString> choice = fileChoices.front();
            fileChoices.pop_front();
            return choice;
        });
    }
    ~ModalSeams() {
        uikit::setMessageHandler({});
        uikit::setFileDialogHandler({});
    }
    ModalSeams(const ModalSeams&) = delete;
    ModalSeams& operator=(const ModalSeams&) = delete;

    // The messages shown, in order; the texts alone.
    std::vector<QString> shownTexts() const {
        std::vector<QString> texts;
        for (const Shown& each : shown)
            texts.push_back(each.message.text);
        return texts;
    }

    std::vector<Shown> shown;
    // Answered in order; once they are used up, every box gets answer.
    std::deque<uikit::MessageAnswer> answers;
    uikit::MessageAnswer answer = uikit::MessageAnswer::Ok;
    // A dialog without a choice left is cancelled.
    std::vector<uikit::FileDialogRequest> fileRequests;
    std::deque<std::optional<QString>> fileChoices;
};

} // namespace strumvale::test
