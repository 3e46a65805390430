#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// Chord symbols as guitarists write them: a root, a quality and an optional
// bass ("F#m7b5", "C/E", "C/D"). Pitch classes count semitones above C (0..11).
namespace strumvale::theory {

// A set of pitch classes or intervals: bit n for n semitones.
using ToneSet = unsigned;

constexpr ToneSet tone(int semitones) {
    return 1u << (((semitones % 12) + 12) % 12);
}

struct Quality {
    // The written form after the root: "", "m", "maj7", "m(maj7)", ...
    std::string_view suffix;
    // Intervals above the root that must sound.
    ToneSet required;
    // Intervals that may sound or be left out (the fifth; the ninth and
    // eleventh of the larger chords).
    ToneSet optional;
};

// Every quality, simplest first: the order in which names are preferred.
std::span<const Quality> qualities();

struct ChordSymbol {
    int root = 0;
    const Quality* quality = nullptr;
    // The bass when it is not the root; it may be a tone the quality lacks ("C/D").
    std::optional<int> bass;

    ToneSet tones() const;
};

// Reads a symbol in any of the usual spellings ("Cmin7", "C-7", "CΔ7",
// "Cø", "C7(#9)", "Bbsus", "C(add9)"), with sharps or flats, and "H" for B
// as Central European charts write it ("H7", "G/H"); none when it is no
// chord symbol.
std::optional<ChordSymbol> parseChordSymbol(std::string_view text);

} // namespace strumvale::theory
