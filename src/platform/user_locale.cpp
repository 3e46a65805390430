#include "platform/user_locale.h"

#include <cstdlib>

namespace strumvale::platform {

std::string messagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
}

bool userLocaleIsSwedish() {
    return messagesLocale().starts_with("sv");
}

} // namespace strumvale::platform
