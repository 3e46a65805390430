#include "model/chord_document.h"

#include "model/chord_sort.h"
#include "model/text_compare.h"

#include <algorithm>
#include <utility>

namespace strumvale::model {

void ChordDocument::Reset() {
    Info.clear();
    Author.clear();
    Homepage.clear();
    Chords.RemoveAll();
    Scales.RemoveAll();
    Tunings.RemoveAll();
    DrumPatterns.RemoveAll();
    Tunings.Add(Tuning::standard());
    Loaded = false;
}

void ChordDocument::ChordsOfKey(std::string_view key, ValueList<Chord>& list) const {
    for (const auto& chord : Chords.items()) {
        if (chord.RootNote == key)
            list.Add(chord);
    }
}

bool ChordDocument::chordsOfKeyFormOneRun(std::string_view key) const {
    const auto& chords = Chords.items();
    auto ofKey = [key](const Chord& chord) { return chord.RootNote == key; };
    auto first = std::find_if(chords.begin(), chords.end(), ofKey);
    auto runEnd = std::find_if_not(first, chords.end(), ofKey);
    return std::find_if(runEnd, chords.end(), ofKey) == chords.end();
}

std::optional<Chord> ChordDocument::firstChordWithTab(std::string_view tab) const {
    for (const auto& chord : Chords.items()) {
        if (chord.Tab == tab)
            return chord;
    }
    return std::nullopt;
}

void ChordDocument::searchChords(std::string_view text) {
    SearchResults.RemoveAll();
    for (const auto& chord : Chords.items()) {
        if (equalsIgnoringCase(chord.Tab, text) || equalsIgnoringCase(chord.Name, text))
            SearchResults.Add(chord);
    }
}

std::int32_t ChordDocument::indexOfChordOfKey(std::string_view key, std::int32_t k) const {
    const auto& chords = Chords.items();
    for (std::size_t first = 0; first < chords.size(); ++first) {
        if (chords[first].RootNote != key)
            continue;
        std::int64_t i = static_cast<std::int64_t>(first) + k;
        return i >= 0 && i < Chords.Count() ? static_cast<std::int32_t>(i) : -1;
    }
    return -1;
}

void ChordDocument::RemoveChordOfKey(std::string_view key, std::int32_t k) {
    if (auto i = indexOfChordOfKey(key, k); i >= 0)
        Chords.RemoveAt(i);
}

void ChordDocument::MoveChordUp(std::string_view key, std::int32_t k) {
    auto i = indexOfChordOfKey(key, k);
    if (i >= 1)
        std::swap(Chords.mutableItems()[static_cast<std::size_t>(i - 1)],
                  Chords.mutableItems()[static_cast<std::size_t>(i)]);
}

void ChordDocument::MoveChordDown(std::string_view key, std::int32_t k) {
    auto i = indexOfChordOfKey(key, k);
    if (i >= 0 && i + 1 < Chords.Count())
        std::swap(Chords.mutableItems()[static_cast<std::size_t>(i)],
                  Chords.mutableItems()[static_cast<std::size_t>(i + 1)]);
}

void ChordDocument::SortChords(const std::function<void()>& onPass) {
    sortByRootNote(Chords.mutableItems(), onPass);
}

} // namespace strumvale::model
