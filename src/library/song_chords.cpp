#include "library/song_chords.h"

#include "model/tuning_notes.h"
#include "theory/chord_symbol.h"
#include "theory/voicings.h"

#include <algorithm>

namespace strumvale::library {

formats::ChordLookup songChordLookup(std::span<const model::Chord> chords) {
    return [chords](const std::string& name) -> std::optional<model::Chord> {
        const auto named =
            std::find_if(chords.begin(), chords.end(),
                         [&](const model::Chord& chord) { return chord.Name == name; });
        if (named != chords.end())
            return *named;
        const std::optional<theory::ChordSymbol> symbol = theory::parseChordSymbol(name);
        if (!symbol)
            return std::nullopt;
        const std::vector<std::string> voicings = theory::findVoicings(
            *symbol, model::kStandardTuningNotes, {.count = 1, .highestFret = 12});
        if (voicings.empty())
            return std::nullopt;
        return model::Chord(model::chordRootOf(name), name, voicings.front());
    };
}

} // namespace strumvale::library
