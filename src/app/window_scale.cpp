#include "app/window_scale.h"

#include "model/settings.h"

#include <cstdlib>

namespace strumvale::app {

namespace {

constexpr const char* kScaleVariable = "QT_SCALE_FACTOR";

} // namespace

void scaleWindowsAsSet(const std::string& settingsPath) {
    if (const char* set = std::getenv(kScaleVariable); set != nullptr && *set != '\0')
        return;
    model::Settings settings;
    if (!formats::LoadSettings(settings, settingsPath) || settings.windowSize() == 100)
        return;
    // Exact in decimal: 1.25, 1.5, 2.
    const std::string factor = std::to_string(settings.windowSize() / 100) + "." +
                               std::to_string(settings.windowSize() % 100);
    ::setenv(kScaleVariable, factor.c_str(), 1);
}

} // namespace strumvale::app
