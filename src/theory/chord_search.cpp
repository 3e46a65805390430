#include "theory/chord_search.h"

#include "model/fingering.h"
#include "theory/chord_naming.h"
#include "theory/chord_spelling.h"
#include "theory/voicings.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>
#include <string>

namespace strumvale::theory {
namespace {

// The text as a tab when it is six frets or "x" however spaced, or six
// characters each "x" or a fret 0..9 ("x02210"); splitTab alone would read
// any other text as six muted strings.
std::optional<std::string> fingeringOf(std::string_view text) {
    std::istringstream words{std::string(text)};
    std::string tab;
    int count = 0;
    for (std::string word; words >> word; ++count)
        tab += (count > 0 ? " " : "") + word;
    if (count == 1 && tab.size() == static_cast<std::size_t>(model::kStringCount) &&
        std::all_of(tab.begin(), tab.end(), [](char c) {
            return c == 'x' || c == 'X' || std::isdigit(static_cast<unsigned char>(c));
        })) {
        std::string spaced;
        for (char c : tab) {
            spaced += spaced.empty() ? "" : " ";
            spaced += c == 'X' ? 'x' : c;
        }
        tab = spaced;
        count = model::kStringCount;
    }
    if (count != model::kStringCount || !model::isValidTab(tab))
        return std::nullopt;
    return tab;
}

// Chords are filed under the letter of their name, as the library files them.
std::string libraryRoot(std::string_view name) {
    return name.empty() ? std::string() : std::string(1, name.front());
}

// A symbol is shown with the accidental it was typed with: "Abm" stays Abm,
// "G#m" G#m.
SpellingContext typedSpelling(std::string_view text) {
    const std::size_t letter = text.find_first_not_of(' ');
    SpellingContext context;
    if (letter != std::string_view::npos && letter + 1 < text.size()) {
        if (text[letter + 1] == '#')
            context.prefer = Accidentals::Sharps;
        else if (text[letter + 1] == 'b')
            context.prefer = Accidentals::Flats;
    }
    return context;
}

} // namespace

std::vector<model::Chord> chordsBeyondTheLibrary(std::string_view text,
                                                 std::string_view tuningNotes) {
    std::vector<model::Chord> chords;
    if (const std::optional<std::string> tab = fingeringOf(text)) {
        const std::optional<Sounding> sounding = soundingOf(*tab, tuningNotes);
        if (!sounding)
            return chords;
        const std::vector<ChordSymbol> names = nameSounding(*sounding);
        if (!names.empty()) {
            const std::string name = formatChordSymbol(names.front());
            chords.emplace_back(libraryRoot(name), name, *tab);
        }
        return chords;
    }
    if (const std::optional<ChordSymbol> symbol = parseChordSymbol(text)) {
        const std::string name = formatChordSymbol(*symbol, typedSpelling(text));
        for (const std::string& tab : findVoicings(*symbol, tuningNotes))
            chords.emplace_back(libraryRoot(name), name, tab);
    }
    return chords;
}

} // namespace strumvale::theory
