#include "app/command_messages.h"

#include "app/main_dialog.h"
#include "uikit/message_box.h"
#include "uikit/text.h"

namespace strumvale::app {

void showStopMessage(MainDialog& window, const std::exception& error) {
    uikit::showMessage(&window,
                       {uikit::fromSystem(error.what()), uikit::toQString(MainDialog::kTitle),
                        uikit::MessageIcon::Stop, uikit::MessageButtons::Ok});
}

bool askToContinue(MainDialog& window, std::string_view questionKey, std::string_view captionKey) {
    return uikit::showMessage(&window, {window.translate(questionKey), window.translate(captionKey),
                                        uikit::MessageIcon::Question,
                                        uikit::MessageButtons::YesNo}) == uikit::MessageAnswer::Yes;
}

uikit::MessageAnswer askToSaveChanges(MainDialog& window, const QString& question) {
    return uikit::showMessage(&window,
                              {question, window.translate("Save?"), uikit::MessageIcon::Question,
                               uikit::MessageButtons::YesNoCancel});
}

} // namespace strumvale::app
