#pragma once

#include "uikit/message_box.h"

#include <QString>
#include <exception>
#include <string_view>

namespace strumvale::app {

class MainDialog;

// A file or container error as the platform words it, with a stop icon.
void showStopMessage(MainDialog& window, const std::exception& error);

// A translated question with Yes and No; true for Yes.
bool askToContinue(MainDialog& window, std::string_view questionKey, std::string_view captionKey);

// Whether to save unsaved work before it is replaced: question under the
// caption "Save?", with Yes, No and Cancel.
uikit::MessageAnswer askToSaveChanges(MainDialog& window, const QString& question);

} // namespace strumvale::app
