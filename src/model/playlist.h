#pragma once

#include "model/records.h"
#include "model/tuning_notes.h"

#include <string>
#include <string_view>
#include <vector>

namespace strumvale::model {

// The chords of a song in order, with separators between its parts, and its
// lyrics. Entries are copies: editing the library later does not change them.
// Each entry keeps the tuning it was made in, since its tab means other
// pitches on other strings.
class Playlist {
public:
    // As many 20-pixel columns as the tablature staff holds.
    static constexpr int kCapacity = 27;
    static constexpr std::string_view kSeparatorName = "SEPARATOR";
    static constexpr std::string_view kSeparatorTab = "| | | | | |";

    static Chord separator();
    static bool isSeparator(const Chord& chord);

    const std::vector<Chord>& entries() const { return entries_; }
    // The open-string notes entry index is played on; standard tuning's for a
    // separator and for an index that names no entry.
    const std::string& tuningNotes(int index) const;
    int count() const { return static_cast<int>(entries_.size()); }
    bool full() const { return count() >= kCapacity; }

    // Each false, changing nothing, when it cannot be done: a full list, an
    // index that names no entry, the first entry up or the last one down.
    bool append(const Chord& chord, std::string_view tuningNotes = kStandardTuningNotes);
    bool remove(int index);
    bool moveUp(int index);
    bool moveDown(int index);

    std::string Lyrics;

    friend bool operator==(const Playlist&, const Playlist&) = default;

private:
    bool valid(int index) const { return index >= 0 && index < count(); }

    std::vector<Chord> entries_;
    // One per entry, in the same order.
    std::vector<std::string> tunings_;
};

} // namespace strumvale::model
