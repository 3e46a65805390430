#pragma once

#include "formats/settings_file.h"

#include <string>

namespace strumvale::app {

// The windows drawn at the settings' window size: told to Qt before the
// application starts, as its scale factor, unless the user's own
// QT_SCALE_FACTOR says otherwise.
void scaleWindowsAsSet(const std::string& settingsPath = formats::kSettingsFileName);

} // namespace strumvale::app
