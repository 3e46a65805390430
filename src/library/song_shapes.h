#pragma once

#include "model/records.h"
#include "model/song.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a guitarist plays for each chord of a song.
namespace strumvale::library {

struct SongShape {
    enum class Source {
        Defined, // the song's own {define}
        Library, // the chordfile's chord of that name
        Finder,  // the first voicing of the chord symbol
        Unknown, // no chord symbol that can be read: shown as written, not played
    };
    std::string name;
    std::string tab; // empty for Unknown
    Source source = Source::Unknown;
};

// The song's chords, each once in the order they first sound (a recalled
// chorus counts where it is recalled), with their shapes in the tuning: the
// song's definitions first, then the library's chord of that name (standard
// tuning only: its tabs are written for it), then the finder's first voicing.
std::vector<SongShape> songShapes(const model::Song& song, std::span<const model::Chord> chords,
                                  std::string_view tuningNotes);

// One chord's shape by name alone, as for a song without definitions.
SongShape chordShape(const std::string& name, std::span<const model::Chord> chords,
                     std::string_view tuningNotes);

// The shapes that can be drawn, as diagrams take them: names in the core's
// text, roots from the names; unknown chords have none.
std::vector<model::Chord> songDiagrams(const std::vector<SongShape>& shapes);

} // namespace strumvale::library
