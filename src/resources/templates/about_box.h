#pragma once

#include "resources/dialog_template.h"

namespace strumvale::resources {

enum class AboutBoxId : int {
    Ok = 1,
    Cancel = 2,
    // Named after its bitmap, so it is found apart from the unnamed texts.
    Logo = 170,
    WebLink = 1075,
    SupportLink = 1076,
    Credits = 1107,
    Notice = 1150,
    CheckForUpdate = 1165,
};

const DialogTemplate& aboutBoxTemplate();

} // namespace strumvale::resources
