#include "model/notes.h"

#include <algorithm>

namespace strumvale::model {

const std::array<std::string_view, kNoteCount>& noteTable() {
    static constexpr std::array<std::string_view, kNoteCount> table = {
        "E-1", "F-1", "F#-1", "G-1", "G#-1", "A-1", "A#-1", "B-1",                           //
        "C0",  "C#0", "D0",   "D#0", "E0",   "F0",  "F#0",  "G0",  "G#0", "A0", "A#0", "B0", //
        "C1",  "C#1", "D1",   "D#1", "E1",   "F1",  "F#1",  "G1",  "G#1", "A1", "A#1", "B1", //
        "C2",  "C#2", "D2",   "D#2", "E2",   "F2",  "F#2",  "G2",  "G#2", "A2", "A#2", "B2", //
        "C3",  "C#3", "D3",   "D#3", "E3",   "F3",  "F#3",  "G3",  "G#3", "A3", "A#3", "B3", //
        "C4",  "C#4", "D4",   "D#4", "E4",   "F4",  "F#4",  "G4",  "G#4", "A4", "A#4", "B4",
    };
    return table;
}

std::optional<int> noteIndex(std::string_view noteName) {
    const auto& table = noteTable();
    auto found = std::find(table.begin(), table.end(), noteName);
    if (found == table.end())
        return std::nullopt;
    return static_cast<int>(found - table.begin());
}

std::optional<int> noteAtFret(std::string_view openNote, int fret) {
    auto open = noteIndex(openNote);
    if (!open || fret < 0 || *open + fret >= kNoteCount)
        return std::nullopt;
    return *open + fret;
}

std::string stripOctave(std::string_view noteName) {
    std::string result;
    result.reserve(noteName.size());
    for (char c : noteName) {
        if ((c < '0' || c > '4') && c != '-')
            result += c;
    }
    return result;
}

const std::array<std::string_view, kNoteCount>& pitchClassSequence() {
    static const std::array<std::string_view, kNoteCount> sequence = [] {
        // Stripping only ever removes a suffix here, so views into the
        // note table's literals stay valid.
        std::array<std::string_view, kNoteCount> result{};
        for (int i = 0; i < kNoteCount; ++i) {
            std::string_view name = noteTable()[i];
            result[i] = name.substr(0, name.find_first_of("-01234"));
        }
        return result;
    }();
    return sequence;
}

std::vector<std::string> transposePitchClasses(std::vector<std::string> pitchClasses,
                                               int semitones) {
    const auto& sequence = pitchClassSequence();
    for (auto& item : pitchClasses) {
        auto found = std::find(sequence.begin(), sequence.end(), item);
        if (found == sequence.end())
            continue;
        auto target = (found - sequence.begin()) + semitones;
        if (target >= 0 && target < kNoteCount)
            item = std::string(sequence[static_cast<std::size_t>(target)]);
    }
    return pitchClasses;
}

std::string_view noteNameOfMidi(int midi) {
    const int entry = midi - kLowestMidiNote;
    if (entry < 0 || entry >= kNoteCount)
        return "?";
    return noteTable()[static_cast<std::size_t>(entry)];
}

} // namespace strumvale::model
