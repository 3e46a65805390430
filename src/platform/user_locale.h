#pragma once

#include <string>

namespace strumvale::platform {

// The messages locale: LC_ALL, LC_MESSAGES, LANG, the first one set.
std::string messagesLocale();

// A Swedish user gets the Swedish language file when no language was chosen.
bool userLocaleIsSwedish();

} // namespace strumvale::platform
