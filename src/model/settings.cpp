#include "model/settings.h"

#include <filesystem>
#include <system_error>

namespace strumvale::model {

void Settings::SetDefaults() {
    *this = Settings();
    std::error_code error;
    auto current = std::filesystem::current_path(error);
    ProgramDirectory = error ? std::string(".") : current.string();
}

} // namespace strumvale::model
