#pragma once

#include "formats/chordpro.h"
#include "model/song.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Song files read whole and written back: every line kept in its place, so
// that a song from elsewhere comes back with only the spacing inside its
// directives changed, and a song we wrote reads back the same.
namespace strumvale::formats {

// The songs of a file's bytes (UTF-8, UTF-16 with its byte-order mark, or
// Latin-1), one per {new_song}; a file without any is one song. Throws
// ChordProError: too large, no text, a directive that does not end on its
// line (unless it is the file's last line, cut off: kept as written), a
// define that cannot be read.
std::vector<model::Song> readSongs(std::string_view bytes);

// UTF-8 with LF line ends; songs after the first each begin with {new_song}.
std::string writeSong(const model::Song& song);
std::string writeSongs(const std::vector<model::Song>& songs);

// A lyric line as written ("[G]Vin[D]ter"): its words and each chord at the
// byte it stands before; a '[' without its ']' is a word.
model::SongLine lyricLineOf(const std::string& line);

// The chord shapes the song defines ({define} and {chord}, both forms, base
// fret applied) for a guitar: name and tab, the first definition of a name
// winning; a definition that only decorates, or cannot be read, gives none.
std::vector<std::pair<std::string, std::string>> songDefinitions(const model::Song& song);

// One line of lyrics as it is written: the words with each [chord] before
// the byte it stands over.
std::string lyricLineText(const model::SongLine& line);

} // namespace strumvale::formats
