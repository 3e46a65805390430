#pragma once

#include "theory/chord_symbol.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Names for what a fingering sounds.
namespace strumvale::theory {

struct Sounding {
    ToneSet tones = 0;
    // The pitch class of the lowest note.
    int bass = 0;
    int noteCount = 0;
};

// The notes a tab sounds in a tuning ("E1,A1,D2,G2,B2,E3"); none for a tab
// that is no fingering or sounds nothing.
std::optional<Sounding> soundingOf(std::string_view tab, std::string_view tuningNotes);

// Every symbol whose required tones all sound and which allows every tone
// that sounds, best first: root position before a slash name, fewer and
// simpler tones, then the shorter name. Fewer than two pitch classes have no name.
std::vector<ChordSymbol> nameTones(ToneSet tones, int bass);

// nameTones of soundingOf, written out.
std::vector<std::string> nameFingering(std::string_view tab, std::string_view tuningNotes);

} // namespace strumvale::theory
