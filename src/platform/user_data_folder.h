#pragma once

#include <string>

namespace strumvale::platform {

// The folder for what the program keeps of its user beside the settings:
// $XDG_DATA_HOME/strumvale, else ~/.local/share/strumvale. Made when missing;
// raises FileError when it cannot be.
std::string userDataFolder();

} // namespace strumvale::platform
