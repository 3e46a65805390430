#include "theory/chord_search.h"

#include "model/fingering.h"
#include "theory/chord_naming.h"
#include "theory/voicings.h"

#include <optional>
#include <sstream>
#include <string>

namespace strumvale::theory {
namespace {

// The text as a tab when it is six frets or "x" however spaced; splitTab
// alone would read any other text as six muted strings.
std::optional<std::string> fingeringOf(std::string_view text) {
    std::istringstream words{std::string(text)};
    std::string tab;
    int count = 0;
    for (std::string word; words >> word; ++count)
        tab += (count > 0 ? " " : "") + word;
    if (count != model::kStringCount || !model::isValidTab(tab))
        return std::nullopt;
    return tab;
}

// Chords are filed under the letter of their name, as the library files them.
std::string libraryRoot(const ChordSymbol& symbol) {
    const std::string name = formatChordSymbol(symbol);
    return name.empty() ? std::string() : std::string(1, name.front());
}

} // namespace

std::vector<model::Chord> chordsBeyondTheLibrary(std::string_view text,
                                                 std::string_view tuningNotes) {
    std::vector<model::Chord> chords;
    if (const std::optional<std::string> tab = fingeringOf(text)) {
        const std::optional<Sounding> sounding = soundingOf(*tab, tuningNotes);
        if (!sounding)
            return chords;
        const std::vector<ChordSymbol> names = nameTones(sounding->tones, sounding->bass);
        if (!names.empty())
            chords.emplace_back(libraryRoot(names.front()), formatChordSymbol(names.front()), *tab);
        return chords;
    }
    if (const std::optional<ChordSymbol> symbol = parseChordSymbol(text)) {
        const std::string name = formatChordSymbol(*symbol);
        for (const std::string& tab : findVoicings(*symbol, tuningNotes))
            chords.emplace_back(libraryRoot(*symbol), name, tab);
    }
    return chords;
}

} // namespace strumvale::theory
