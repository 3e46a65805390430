#pragma once

#include "model/records.h"
#include "model/value_list.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace strumvale::model {

// The contents of one chordfile as ordered lists of value records, with the
// state telling whether a chordfile is loaded and whether it was edited. The
// program's chord library builds on it.
class ChordDocument {
public:
    ValueList<Chord> Chords;
    // Copies of the chords found by the last search; kept across loads and edits.
    ValueList<Chord> SearchResults;
    ValueList<Scale> Scales;
    ValueList<Tuning> Tunings;
    ValueList<DrumPattern> DrumPatterns;

    std::string FileName;
    bool Loaded = false;
    bool Modified = false;
    std::string Info;
    std::string Author;
    std::string Homepage;

    // The empty library: no texts, no records but the standard tuning.
    void Reset();

    // Appends a copy of every chord whose root note is exactly key.
    void ChordsOfKey(std::string_view key, ValueList<Chord>& list) const;
    // Whether the chords of key stand next to each other, so that counting from
    // the first of them reaches each of them. True for a key without chords.
    bool chordsOfKeyFormOneRun(std::string_view key) const;
    // The first chord whose tab is exactly tab.
    std::optional<Chord> firstChordWithTab(std::string_view tab) const;

    // Fills SearchResults with the chords whose whole Tab or Name equals text,
    // ignoring letter case.
    void searchChords(std::string_view text);

    // Edit the k-th chord (from 0) counted from the first chord of key; they
    // do nothing when the key has no chord or the index leaves the list.
    void RemoveChordOfKey(std::string_view key, std::int32_t k);
    void MoveChordUp(std::string_view key, std::int32_t k);
    void MoveChordDown(std::string_view key, std::int32_t k);
    // The position those edits work on: k after the first chord of key, or -1
    // when the key has no chord or the position leaves the list.
    std::int32_t indexOfChordOfKey(std::string_view key, std::int32_t k) const;

    // Orders Chords by root note in byte order, equal roots keeping their order.
    // onPass is called as often as an exchange sort would start a pass, so
    // progress shown to the user looks the same.
    void SortChords(const std::function<void()>& onPass = {});
};

} // namespace strumvale::model
