#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pitch vocabulary: note names with octave, the fixed note table and its
// MIDI numbers, pitch classes and their transposition.
namespace strumvale::model {

inline constexpr int kNoteCount = 68;
// Entry i of the note table sounds as MIDI note kLowestMidiNote + i.
inline constexpr int kLowestMidiNote = 16;
// Tunings draw their open strings from the first entries only, so that
// fret 12 on any string stays inside the table.
inline constexpr int kTuningNoteCount = 56;
inline constexpr int kHighestFret = 12;

// Pitch classes from C as chord symbols most often spell their roots.
inline constexpr std::array<std::string_view, 12> kChordRootSpellings = {
    "C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};

// "E-1", "F-1", ... "B4": every note the system knows, lowest first.
const std::array<std::string_view, kNoteCount>& noteTable();

// The table entry of a note name (exact, case-sensitive), or none.
std::optional<int> noteIndex(std::string_view noteName);

constexpr int midiNumber(int entry) {
    return kLowestMidiNote + entry;
}

// The table's name of a MIDI note ("A3" for 69), or "?" outside the table.
std::string_view noteNameOfMidi(int midi);

// The entry sounding at fret on a string tuned to openNote; none when the open
// note is not in the table or the fret leads past either end of it.
std::optional<int> noteAtFret(std::string_view openNote, int fret);

// The note name without its octave: every '0'..'4' and '-' removed.
std::string stripOctave(std::string_view noteName);

// The note table with octaves stripped, in table order ("E", "F", "F#", ...).
const std::array<std::string_view, kNoteCount>& pitchClassSequence();

// Moves every sharp-spelled pitch class up by semitones (0..11); items that are
// no pitch class stay as they are.
std::vector<std::string> transposePitchClasses(std::vector<std::string> pitchClasses,
                                               int semitones);

} // namespace strumvale::model
