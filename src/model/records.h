#pragma once

#include "model/fingering.h"
#include "model/tuning_notes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The value records of a chord library. Records are copied into and out of
// the library's lists; nothing keeps a pointer into a list.
namespace strumvale::model {

struct Chord {
    std::string Name;
    std::string RootNote = "A";
    std::string Tab = std::string(kMutedTab);

    Chord() = default;
    Chord(std::string rootNote, std::string name, std::string tab)
        : Name(std::move(name)), RootNote(std::move(rootNote)), Tab(std::move(tab)) {}

    friend bool operator==(const Chord&, const Chord&) = default;
};

// Returns the root key a chord named so is listed under: its first letter when
// that is A to G, else a new chord's root.
inline std::string chordRootOf(std::string_view chordName) {
    if (!chordName.empty() && chordName[0] >= 'A' && chordName[0] <= 'G')
        return std::string(1, chordName[0]);
    return Chord().RootNote;
}

// Cuts at every comma; a trailing comma adds no empty item, "" gives no items.
std::vector<std::string> splitItemList(std::string_view text);

class Scale {
public:
    std::string Name = "New Scale";
    std::string Description = "New Scale";

    const std::string& Intervals() const { return intervals_; }
    const std::string& Notes() const { return notes_; }
    // Both setters store spaces as commas, so "1 b3 5" becomes "1,b3,5".
    void setIntervals(std::string_view intervals);
    void setNotes(std::string_view notes);

    std::vector<std::string> intervalList() const { return splitItemList(intervals_); }
    std::vector<std::string> noteList() const { return splitItemList(notes_); }

    friend bool operator==(const Scale&, const Scale&) = default;

private:
    std::string intervals_;
    std::string notes_;
};

struct Tuning {
    std::string Name;
    std::string Notes;

    static Tuning standard() {
        return {std::string(kStandardTuningName), std::string(kStandardTuningNotes)};
    }
    friend bool operator==(const Tuning&, const Tuning&) = default;
};

struct DrumPattern {
    static constexpr int kSteps = 16;
    static constexpr int kTracks = 8;

    // Cell (step s, track t), both from 1, is element (s - 1) * 8 + (t - 1).
    std::array<std::int32_t, kSteps * kTracks> Pattern{};
    std::array<std::int32_t, kTracks> Instruments{};
    std::array<std::int32_t, kTracks> Volumes = {127, 127, 127, 127, 127, 127, 127, 127};
    std::string Name;
    std::int32_t Tempo = 120;

    static constexpr int cellIndex(int step, int track) {
        return (step - 1) * kTracks + (track - 1);
    }
    friend bool operator==(const DrumPattern&, const DrumPattern&) = default;
};

} // namespace strumvale::model
