#pragma once

#include "model/settings.h"

#include <string>

// "settings.xml": one element per setting under the root, in a fixed order.
namespace strumvale::formats {

inline constexpr const char* kSettingsFileName = "settings.xml";

// Defaults first, then every key found in order; a key standing before the
// last key found keeps its default. False only when the file cannot be read.
bool LoadSettings(model::Settings& settings, const std::string& path = kSettingsFileName);

// The file text for the settings.
std::string settingsText(const model::Settings& settings);

// Writes ProgramDirectory + "/settings.xml" through a temporary file; a
// failure to write is not reported, as the settings are saved at exit.
void SaveSettings(const model::Settings& settings);

} // namespace strumvale::formats

namespace strumvale::formats {

// The settings as the program holds them: created from the settings file (or
// with the defaults only, for tools and tests), and written back when
// destroyed if they came from the file.
class PersistentSettings : public model::Settings {
public:
    enum class Storage { File, None };

    explicit PersistentSettings(Storage storage);
    ~PersistentSettings();
    PersistentSettings(const PersistentSettings&) = delete;
    PersistentSettings& operator=(const PersistentSettings&) = delete;

private:
    Storage storage_;
};

} // namespace strumvale::formats
