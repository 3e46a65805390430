#pragma once

#include "model/song.h"
#include "theory/chord_spelling.h"

#include <optional>
#include <string>
#include <string_view>

// Songs moved to another key, spelled for the key they land in.
namespace strumvale::theory {

// The spelling of a key ("G", "Bbm", "F#"): its tonic and side of the circle
// of fifths; none when it names no key.
std::optional<SpellingContext> keySpelling(std::string_view key);

// The chord name moved by semitones, its root and bass spelled for the
// context, the rest written as it was ("Cmaj7/G" up 3 in Eb is "Ebmaj7/Bb");
// a name that is no chord symbol comes back as it is.
std::string transposeChordName(std::string_view name, int semitones,
                               const SpellingContext& context = {});

// The song moved by semitones: every chord of its lyrics and its key. With
// no key written, the spelling follows each chord.
model::Song transposed(const model::Song& song, int semitones);

// What a guitarist with a capo at fret capo plays so that the song sounds as
// written: the chords moved down by capo, spelled for the shapes' key ("A"
// with capo 2 shows G shapes); the key and capo say what sounds and where the
// capo sits.
model::Song withCapo(const model::Song& song, int capo);

// The song as its own {transpose: N} directives say it sounds: the chords
// after each directive moved by its N (until the next one), spelled as
// transposed() spells them, and the directives gone, so that the result means
// the same wherever it is shown, played or written next. A directive that
// stands before every chord moves the key as well. Directives for another
// instrument, and arguments that are no whole number of semitones, change
// nothing.
model::Song withTranspositionsApplied(const model::Song& song);

} // namespace strumvale::theory
