#pragma once

#include <string>

// Folder and file names as users give them: Swedish and Polish letters, spaces
// and an emoji, all UTF-8 as the system stores them.
namespace strumvale::test {

inline const std::string kUserFolder = "Låtar på ö ł 🎸";
inline const std::string kUserChordfile = "Sånger ä ö ł 🎸.gtr";
inline const std::string kUserSong = "Sång för Åsa 🎸.cho";
inline const std::string kUserLanguage = "Språk ł 🎸.lng";

// Longer than the 255 bytes a name may have on Linux file systems.
inline std::string nameTooLong(const std::string& extension) {
    std::string name;
    for (int i = 0; i < 130; ++i)
        name += "å";
    return name + extension;
}

} // namespace strumvale::test
