#include "platform/user_data_folder.h"

#include "platform/file_error.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace strumvale::platform {

std::string userDataFolder() {
    std::filesystem::path folder;
    // A relative value would hang on the folder the program starts in: ignored.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/')
        folder = data;
    else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        folder = std::filesystem::path(home) / ".local" / "share";
    else
        throw FileError("~/.local/share", "no home folder is set");
    folder /= "strumvale";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw FileError(folder.string(), error.message());
    return folder.string();
}

} // namespace strumvale::platform
