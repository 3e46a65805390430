#pragma once

#include <array>
#include <string_view>

// The fixed lists from which keys and strings are chosen and labelled.
namespace strumvale::model {

// Scale keys from C; the position is the transposition in semitones.
inline constexpr std::array<std::string_view, 12> kScaleKeyNames = {
    "C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab", "A", "A#/Bb", "B"};

// Chord roots under which chords are listed.
inline constexpr std::array<std::string_view, 7> kChordRootNames = {"C", "D", "E", "F",
                                                                    "G", "A", "B"};

// String labels, string 6 first, named after the standard tuning whatever the tuning.
inline constexpr std::array<std::string_view, 6> kStringLabels = {
    "String 6 (E):", "String 5 (A):", "String 4 (D):",
    "String 3 (G):", "String 2 (B):", "String 1 (E):"};

} // namespace strumvale::model
