#include "formats/chordpro.h"
#include "formats/chordpro_frets.h"
#include "formats/chordpro_own_file.h"
#include "formats/chordpro_song.h"
#include "formats/song_text.h"
#include "platform/file.h"

#include <algorithm>
#include <vector>

namespace strumvale::formats {

ChordProError::ChordProError(Kind kind, int line, const std::string& what)
    : std::runtime_error(what), kind_(kind), line_(line) {}

using namespace chordpro;

model::Playlist readChordPro(std::string_view bytes, const ChordProSources& sources) {
    const std::vector<std::string> lines = songLines(songTextAsUtf8(bytes));
    const bool ours = std::find(lines.begin(), lines.end(), kMarker) != lines.end();
    if (ours)
        return readOwnFile(lines);
    return readSong(lines, sources);
}

bool isOwnPlaylistFile(std::string_view bytes) {
    const std::vector<std::string> lines = songLines(songTextAsUtf8(bytes));
    return std::find(lines.begin(), lines.end(), kMarker) != lines.end();
}

std::string readSongFile(const std::string& path) {
    const platform::ReadOnlyFile file(path);
    if (file.size() > kMaxChordProBytes)
        throw ChordProError(ChordProError::Kind::TooLarge, 0, "the file is too large");
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    bytes.resize(file.readAt(0, bytes.data(), bytes.size()));
    return bytes;
}

model::Playlist loadPlaylist(const std::string& path, const ChordProSources& sources) {
    return readChordPro(readSongFile(path), sources);
}

} // namespace strumvale::formats
