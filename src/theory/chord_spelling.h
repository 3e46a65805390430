#pragma once

#include "theory/chord_symbol.h"

#include <optional>
#include <string>
#include <string_view>

// How chord symbols are written: the root and bass spelled for the chord and,
// where known, for the key around it.
namespace strumvale::theory {

// The common spelling of a pitch class when nothing else is known: Bb, Eb,
// Ab, F#, C# and the naturals. Chord roots are spelled by rootName instead.
std::string_view pitchClassName(int pitchClass);

// Which accidentals a chord takes where its root or bass could be written
// either way (Db or C#).
enum class Accidentals {
    // As charts most often write that chord: C#m but Db, G#m but Ab7.
    ByChord,
    Sharps,
    Flats,
};

// What is known about the music around a chord. Without a key, prefer
// decides; a key's signature decides over it (E major sharps, Eb major flats),
// except C major and A minor, which leave it to prefer.
struct SpellingContext {
    // The tonic of the song or playlist, as a pitch class.
    std::optional<int> keyRoot = std::nullopt;
    bool keyIsMinor = false;
    Accidentals prefer = Accidentals::ByChord;
};

// The side a key's signature lies on: Sharps for G, D, A, E, B and F# major
// (and their relative minors), Flats for F, Bb, Eb, Ab and Db, ByChord for C.
Accidentals keySide(int keyRoot, bool keyIsMinor);

// The root as written: "C#" for C#m, "Db" for Db7, "G#" for G#m, "Ab" for Ab;
// Eb, F# and Bb for every chord; sharps or flats throughout when the context
// asks for them.
std::string rootName(const ChordSymbol& symbol, const SpellingContext& context = {});

// The bass as written after "/": a chord tone takes the letter its interval
// names (the third of E is G#, of B7 D#; a diminished seventh's is written as
// a sixth); a tone outside the chord takes the neighbouring letter when it lies
// a semitone from the root (Dm/C#, D/Eb), else the accidentals of the root's
// side: its own accidental, else its key's (G/F#, F/Eb), else the common
// spelling (C/Bb). The context's sharps or flats decide over the root's side.
// Empty when the symbol has no bass.
std::string bassName(const ChordSymbol& symbol, const SpellingContext& context = {});

// "F#m7b5", "C/E", "E/G#": root, the quality's suffix, "/" and the bass.
std::string formatChordSymbol(const ChordSymbol& symbol);
std::string formatChordSymbol(const ChordSymbol& symbol, const SpellingContext& context);

} // namespace strumvale::theory
