#pragma once

#include "formats/chordpro.h"
#include "model/records.h"

#include <span>

namespace strumvale::library {

// Returns where a song from elsewhere finds the chords it does not define:
// the first of chords named exactly so, else a chord with the first voicing
// of the chord symbol in standard tuning, else nothing. chords must outlive
// the lookup.
formats::ChordLookup songChordLookup(std::span<const model::Chord> chords);

} // namespace strumvale::library
