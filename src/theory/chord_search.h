#pragma once

#include "model/records.h"

#include <string_view>
#include <vector>

namespace strumvale::theory {

// What a search text means when no chord of the library matches it: a
// fingering ("x 3 2 2 1 3", or six characters "x32213") gives itself under its
// best name; a chord symbol ("F#m7b5") gives its voicings, all named by the
// chord alone and with the accidental it was typed with ("Abm", "G#m").
// Both in the tuning given, each under the root the library files it by (the
// letter: F# chords under F, Bb chords under B). Nothing for any other text.
std::vector<model::Chord> chordsBeyondTheLibrary(std::string_view text,
                                                 std::string_view tuningNotes);

} // namespace strumvale::theory
