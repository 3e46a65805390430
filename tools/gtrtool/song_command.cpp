#include "command.h"
#include "errors.h"
#include "formats/song_file.h"
#include "formats/song_sheet_text.h"
#include "library_access.h"
#include "platform/file.h"
#include "theory/song_transposition.h"

#include <cstdio>
#include <optional>
#include <string>

namespace gtrtool {
int runSong(const Arguments& arguments) {
    if (arguments.empty())
        return usageError();
    int songNumber = 1, semitones = 0, capo = 0;
    bool chordPro = false;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size())
            return usageError();
        const std::string& option = arguments[i];
        const std::string& value = arguments[i + 1];
        std::optional<int> number;
        if (option == "--song" && (number = numberArgument(value, 1, 100000)))
            songNumber = *number;
        else if (option == "--transpose" && (number = numberArgument(value, -11, 11)))
            semitones = *number;
        else if (option == "--capo" && (number = numberArgument(value, 0, 11)))
            capo = *number;
        else if (option == "--format" && (value == "text" || value == "chordpro"))
            chordPro = value == "chordpro";
        else
            return usageError();
    }
    return reportingErrors([&] {
        std::string bytes;
        if (!strumvale::platform::readWholeFile(arguments[0], bytes)) {
            std::fprintf(stderr, "cannot read %s\n", arguments[0].c_str());
            return static_cast<int>(ReadFailed);
        }
        std::vector<strumvale::model::Song> songs;
        try {
            songs = strumvale::formats::readSongs(bytes);
        } catch (const strumvale::formats::ChordProError& error) {
            std::fprintf(stderr, "cannot read %s: %s\n", arguments[0].c_str(), error.what());
            return static_cast<int>(ReadFailed);
        }
        if (static_cast<std::size_t>(songNumber) > songs.size()) {
            std::fprintf(stderr, "%s holds %zu songs\n", arguments[0].c_str(), songs.size());
            return static_cast<int>(UsageError);
        }
        strumvale::model::Song song = songs[static_cast<std::size_t>(songNumber - 1)];
        // The sheet shows what sounds; a song written back moves only when asked to.
        if (!chordPro || semitones != 0 || capo > 0)
            song = strumvale::theory::withTranspositionsApplied(song);
        song = strumvale::theory::transposed(song, semitones);
        if (capo > 0)
            song = strumvale::theory::withCapo(song, capo);
        const std::string out = chordPro ? strumvale::formats::writeSong(song)
                                         : strumvale::formats::songSheetText(song);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return static_cast<int>(Success);
    });
}

} // namespace gtrtool
