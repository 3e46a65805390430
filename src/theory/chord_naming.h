#pragma once

#include "theory/chord_spelling.h"
#include "theory/chord_symbol.h"

#include <optional>
#include <span>
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
    // The pitch classes of every note but the lowest: without the bass's pitch
    // class when that sounds in the bass alone.
    ToneSet above = 0;
};

// The notes a tab sounds in a tuning ("E1,A1,D2,G2,B2,E3"); none for a tab
// that is no fingering or sounds nothing.
std::optional<Sounding> soundingOf(std::string_view tab, std::string_view tuningNotes);

// The same for notes by MIDI number (a chord heard rather than fingered);
// none for no notes.
std::optional<Sounding> soundingOfNotes(std::span<const int> midiNotes);

// Every symbol whose required tones all sound and which allows every tone
// that sounds, best first; and, when the bass sounds in the bass alone, the
// names of the chord above it over that bass ("C/D"). Fewer than two pitch
// classes have no name. The order is a cost, lowest first: how far the
// quality is from a plain triad, plus how unusual its bass is (root, third,
// fifth, seventh, extension, a tone outside the chord); then root position,
// fewer required tones, the quality table's order and the shorter name.
// So a common triad over a bass leads an extended name (C/D before D11,
// Em/G before G6), and a common chord in root position leads a triad over a
// bass (Am7 before C/A).
std::vector<ChordSymbol> nameSounding(const Sounding& sounding);

// nameSounding of tones over bass, taking the bass to sound in the bass alone.
std::vector<ChordSymbol> nameTones(ToneSet tones, int bass);

// nameSounding of soundingOfNotes, written out.
std::vector<std::string> nameNotes(std::span<const int> midiNotes);

// nameSounding of soundingOf, written out.
std::vector<std::string> nameFingering(std::string_view tab, std::string_view tuningNotes);
std::vector<std::string> nameFingering(std::string_view tab, std::string_view tuningNotes,
                                       const SpellingContext& context);

} // namespace strumvale::theory
