#pragma once

#include "model/playlist.h"
#include "model/records.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Playlists as ChordPro song files. A file this program wrote carries the
// exact playlist in comment lines, which other ChordPro programs ignore; a song
// written elsewhere becomes a playlist of the chords it names.
namespace strumvale::formats {

class ChordProError : public std::runtime_error {
public:
    enum class Kind {
        NotText,       // binary bytes, or a UTF-16 text that does not decode
        TooLarge,      // more than kMaxChordProBytes
        BadLine,       // a directive (or one of our comment lines) that cannot be read
        BeyondTheNeck, // a chord defined past the highest fret the neck shows
    };
    ChordProError(Kind kind, int line, const std::string& what);

    Kind kind() const { return kind_; }
    // From 1; 0 when the fault is the whole file's.
    int line() const { return line_; }

private:
    Kind kind_;
    int line_;
};

// A song sheet is a few kilobytes; anything near this is no song.
inline constexpr std::size_t kMaxChordProBytes = 1024 * 1024;

// The song file of playlist, UTF-8 with LF line ends, titled title (UTF-8, as
// the file names it is made from are).
std::string writeChordPro(const model::Playlist& playlist, std::string_view title);

// Where a song from elsewhere finds a chord it names (in Windows-1252) but
// does not define: the chord the lookup returns, else the chord with all
// strings muted. The reader knows no library and no chord theory; its caller
// chooses where chords come from (library::songChordLookup).
using ChordLookup = std::function<std::optional<model::Chord>(const std::string& name)>;
struct ChordProSources {
    ChordLookup undefinedChord;
};

// Reads a song file's bytes (UTF-8, UTF-16 with its byte-order mark, or
// Latin-1); throws ChordProError.
model::Playlist readChordPro(std::string_view bytes, const ChordProSources& sources);

// Whether bytes are a playlist this program wrote (it carries the exact
// playlist), rather than a song written elsewhere.
bool isOwnPlaylistFile(std::string_view bytes);

// The file forms of the two above. Saving replaces the file all or nothing;
// platform::FileError when it cannot be read or written.
void savePlaylist(const model::Playlist& playlist, const std::string& path);
// A song file's bytes; ChordProError when it is too large to be one.
std::string readSongFile(const std::string& path);
model::Playlist loadPlaylist(const std::string& path, const ChordProSources& sources);

// The title a playlist file gets: its name without folder and extension, in
// the path's own bytes.
std::string playlistTitle(std::string_view path);

} // namespace strumvale::formats
