#pragma once

#include "formats/chordpro.h"
#include "model/playlist.h"

#include <string>
#include <vector>

namespace strumvale::formats::chordpro {

// Returns the playlist of a song written elsewhere: the chords it names in
// order, a separator between sections, its lyrics without chords; a chord it
// does not define comes from sources. Throws ChordProError for a directive
// that cannot be read.
model::Playlist readSong(const std::vector<std::string>& lines, const ChordProSources& sources);

} // namespace strumvale::formats::chordpro
